#include "listview/RowSort.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <string_view>
#include <utility>

#include "scan/PathText.h"

namespace {

// The rows' keys, made once, moving with the rows' original indexes.
template <class Key>
class SnapshotRows {
public:
    SnapshotRows(const std::vector<std::string>& texts, std::vector<Key> keys)
        : m_texts(texts), m_keys(std::move(keys)), m_order(m_keys.size())
    {
        std::iota(m_order.begin(), m_order.end(), 0);
    }

    Key KeyOf(int row) const { return m_keys[static_cast<size_t>(row)]; }
    bool SameText(int i, int j) const
    {
        // A key depends on its text alone: different keys, different texts.
        const auto a = static_cast<size_t>(i);
        const auto b = static_cast<size_t>(j);
        return m_keys[a] == m_keys[b] &&
               m_texts[static_cast<size_t>(m_order[a])] == m_texts[static_cast<size_t>(m_order[b])];
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
    const std::vector<std::string>& m_texts;
    std::vector<Key> m_keys;
    std::vector<int> m_order;
};

}  // namespace

std::int32_t NumberKeyOf(const std::string& text)
{
    return static_cast<std::int32_t>(std::clamp<long long>(std::strtoll(text.c_str(), nullptr, 10),
                                                           std::numeric_limits<std::int32_t>::min(),
                                                           std::numeric_limits<std::int32_t>::max()));
}

std::vector<int> SortedRowOrder(const std::vector<std::string>& texts, int column, bool ascending,
                                const LeadBytes& lead)
{
    if (column == kNumberColumn) {
        std::vector<std::int32_t> keys;
        keys.reserve(texts.size());
        for (const std::string& text : texts)
            keys.push_back(NumberKeyOf(text));
        return SnapshotRows(texts, std::move(keys)).Sorted(ascending);
    }
    std::vector<std::string_view> keys;
    keys.reserve(texts.size());
    for (const std::string& text : texts)
        keys.push_back(FileNameOf(text, lead));
    return SnapshotRows(texts, std::move(keys)).Sorted(ascending);
}
