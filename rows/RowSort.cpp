#include "rows/RowSort.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <string_view>
#include <utility>

#include "platform/PathText.h"

namespace {

// The rows' keys, made once, moving with the rows' original indexes.
// `sameText(a, b)` says whether the rows first at a and b hold identical
// texts in the sort column.
template <class Key, class SameTexts>
class SnapshotRows {
public:
    SnapshotRows(std::vector<Key> keys, SameTexts sameText)
        : m_keys(std::move(keys)), m_order(m_keys.size()), m_sameText(std::move(sameText))
    {
        std::iota(m_order.begin(), m_order.end(), 0);
    }

    Key KeyOf(int row) const { return m_keys[static_cast<size_t>(row)]; }
    bool SameText(int i, int j) const
    {
        // A key depends on its text alone: different keys, different texts.
        const auto a = static_cast<size_t>(i);
        const auto b = static_cast<size_t>(j);
        return m_keys[a] == m_keys[b] && m_sameText(m_order[a], m_order[b]);
    }
    void Exchange(int i, int j)
    {
        std::swap(m_keys[static_cast<size_t>(i)], m_keys[static_cast<size_t>(j)]);
        std::swap(m_order[static_cast<size_t>(i)], m_order[static_cast<size_t>(j)]);
    }

    std::vector<int> Sorted(bool ascending) &&
    {
        SortRowRange(*this, 0, static_cast<int>(m_keys.size()) - 1, ascending);
        return std::move(m_order);
    }

private:
    std::vector<Key> m_keys;
    std::vector<int> m_order;
    SameTexts m_sameText;
};

template <class Key, class SameTexts>
std::vector<int> SortedOrder(std::vector<Key> keys, SameTexts sameText, bool ascending)
{
    return SnapshotRows<Key, SameTexts>(std::move(keys), std::move(sameText)).Sorted(ascending);
}

// The file names of `texts`, or the whole texts, as sort keys.
template <class Texts, class TextOf>
std::vector<std::string_view> TextKeys(const Texts& texts, TextOf textOf, ColumnSort sort, const LeadBytes& lead)
{
    std::vector<std::string_view> keys;
    keys.reserve(texts.size());
    for (const auto& text : texts)
        keys.push_back(sort == ColumnSort::ByFileName ? FileNameOf(textOf(text), lead) : std::string_view(textOf(text)));
    return keys;
}

}  // namespace

std::int32_t NumberKeyOf(const std::string& text)
{
    return static_cast<std::int32_t>(std::clamp<long long>(std::strtoll(text.c_str(), nullptr, 10),
                                                           std::numeric_limits<std::int32_t>::min(),
                                                           std::numeric_limits<std::int32_t>::max()));
}

std::vector<int> SortedRowOrder(const std::vector<std::string>& texts, ColumnSort sort, bool ascending,
                                const LeadBytes& lead)
{
    const auto sameText = [&texts](int a, int b) {
        return texts[static_cast<size_t>(a)] == texts[static_cast<size_t>(b)];
    };
    if (sort == ColumnSort::ByNumber) {
        std::vector<std::int32_t> keys;
        keys.reserve(texts.size());
        for (const std::string& text : texts)
            keys.push_back(NumberKeyOf(text));
        return SortedOrder(std::move(keys), sameText, ascending);
    }
    return SortedOrder(TextKeys(texts, [](const std::string& text) -> const std::string& { return text; }, sort, lead),
                       sameText, ascending);
}

std::vector<int> SortedRowOrder(const std::vector<ListRow>& rows, ColumnSort sort, bool ascending,
                                const LeadBytes& lead)
{
    if (sort == ColumnSort::ByNumber) {
        // The number's text is the number written out: one text, one number.
        std::vector<std::int32_t> keys;
        keys.reserve(rows.size());
        for (const ListRow& row : rows)
            keys.push_back(static_cast<std::int32_t>(
                std::min<std::uint32_t>(row.number, std::numeric_limits<std::int32_t>::max())));
        return SortedOrder(std::move(keys), [&rows](int a, int b) {
            return rows[static_cast<size_t>(a)].number == rows[static_cast<size_t>(b)].number;
        }, ascending);
    }
    return SortedOrder(TextKeys(rows, [](const ListRow& row) -> const std::string& { return row.path; }, sort, lead),
                       [&rows](int a, int b) {
                           return rows[static_cast<size_t>(a)].path == rows[static_cast<size_t>(b)].path;
                       },
                       ascending);
}
