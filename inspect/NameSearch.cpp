#include "inspect/NameSearch.h"

#include "inspect/CaseFolding.h"

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
    std::string path;
    for (int row = memory.start; row < count; ++row) {
        rows.ReadPath(row, path);
        const std::size_t nameStart = path.rfind('\\') + 1;  // 0 when there is no backslash
        folding.Fold(path.data() + nameStart, path.data() + path.size());
        if (path.find(text, nameStart) == std::string::npos)
            continue;
        const SearchMatch match{row, memory.hit};
        memory.hit = row;
        memory.start = row + 1 > count - 1 ? 0 : row + 1;
        return match;
    }
    return std::nullopt;
}
