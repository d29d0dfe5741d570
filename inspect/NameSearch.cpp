#include "inspect/NameSearch.h"

#include "platform/CaseFolding.h"
#include "rows/RowModel.h"

namespace {

// Whether `text` occurs in `haystack` from `from` on, starting at a
// character: a match that starts at the second byte of a double-byte
// character is no match.
bool ContainsAtCharacter(std::string_view haystack, std::size_t from, std::string_view text, const LeadBytes& lead)
{
    if (!lead.Any())
        return haystack.find(text, from) != std::string_view::npos;
    for (std::size_t at = from; at + text.size() <= haystack.size(); at = lead.Next(haystack, at)) {
        if (haystack.compare(at, text.size(), text) == 0)
            return true;
    }
    return false;
}

}  // namespace

std::optional<SearchMatch> SearchNext(std::string text, const SearchMemory& memory, SearchableRows& rows,
                                      const CaseFolding& folding)
{
    folding.Fold(text);
    if (text.empty())
        return std::nullopt;
    if (text != memory.lastSearch)
        memory.start = 0;
    memory.lastSearch = text;

    const int count = rows.RowCount();
    std::string name;
    for (int row = memory.start; row < count; ++row) {
        rows.ReadName(row, name);
        folding.Fold(name.data(), name.data() + name.size());
        if (!ContainsAtCharacter(name, 0, text, folding.Lead()))
            continue;
        const SearchMatch match{row, memory.hit};
        memory.hit = row;
        memory.start = row + 1 > count - 1 ? 0 : row + 1;
        return match;
    }
    return std::nullopt;
}

int ModelNames::RowCount()
{
    return static_cast<int>(m_rows.Count());
}

void ModelNames::ReadName(int row, std::string& name)
{
    name = m_rows.Name(static_cast<std::size_t>(row));
}
