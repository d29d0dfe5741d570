#pragma once
// The order of the file list's column sort. The sort is a quicksort that
// does not keep equal keys in place, so where rows with equal keys end up
// depends on its exact steps, pivot choice included: every sort of the list
// runs these steps, over the list itself or over a copy of its keys.
#include <concepts>
#include <cstddef>
#include <numeric>
#include <utility>
#include <cstdint>
#include <string>
#include <vector>

#include "rows/TableSchema.h"
#include "scan/ListRow.h"

class LeadBytes;

// Rows as the sort sees them, by index: the sort key of a row in the sort
// column, whether two rows hold identical texts in that column, and the
// exchange of two rows. Keys come back by value: the sort keeps the pivot's
// key while rows move.
template <class Rows>
concept SortableRows = requires(Rows& rows, int row) {
    { rows.KeyOf(row) } -> std::totally_ordered;
    { rows.SameText(row, row) } -> std::same_as<bool>;
    rows.Exchange(row, row);
};

// Sorts the rows lo ... hi. Each pass splits the range around the key of its
// middle row; rows whose texts are identical are never exchanged. The pass
// then sorts its smaller part by recursion and goes on with the larger one:
// the parts hold different rows, so the order is the same in whichever
// order they are sorted, and the depth stays within log2 of the row count
// whatever the input.
template <SortableRows Rows>
void SortRowRange(Rows& rows, int lo, int hi, bool ascending)
{
    while (lo < hi) {
        const auto pivot = rows.KeyOf(lo + (hi - lo) / 2);
        const auto before = [&](const auto& key) { return ascending ? key < pivot : pivot < key; };
        const auto after = [&](const auto& key) { return ascending ? pivot < key : key < pivot; };
        int i = lo;
        int j = hi;
        while (i <= j) {
            while (i < hi && before(rows.KeyOf(i)))
                ++i;
            while (j > lo && after(rows.KeyOf(j)))
                --j;
            if (i <= j) {
                if (!rows.SameText(i, j))
                    rows.Exchange(i, j);
                ++i;
                --j;
            }
        }
        if (j - lo < hi - i) {
            if (lo < j)
                SortRowRange(rows, lo, j, ascending);
            lo = i;
        } else {
            if (i < hi)
                SortRowRange(rows, i, hi, ascending);
            hi = j;
        }
    }
}

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

    Key KeyOf(int row) const { return m_keys[static_cast<std::size_t>(row)]; }
    bool SameText(int i, int j) const
    {
        // A key depends on its text alone: different keys, different texts.
        const auto a = static_cast<std::size_t>(i);
        const auto b = static_cast<std::size_t>(j);
        return m_keys[a] == m_keys[b] && m_sameText(m_order[a], m_order[b]);
    }
    void Exchange(int i, int j)
    {
        std::swap(m_keys[static_cast<std::size_t>(i)], m_keys[static_cast<std::size_t>(j)]);
        std::swap(m_order[static_cast<std::size_t>(i)], m_order[static_cast<std::size_t>(j)]);
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

// The order SortRowRange gives rows with `keys`: entry k is the index of
// the row that ends up at k.
template <class Key, class SameTexts>
std::vector<int> SortedOrder(std::vector<Key> keys, SameTexts sameText, bool ascending)
{
    return SnapshotRows<Key, SameTexts>(std::move(keys), std::move(sameText)).Sorted(ascending);
}

// Key of a text in the number column, read as atoi reads it: white space,
// an optional sign, decimal digits up to the first other character; 0 when
// there is no digit. Beyond the 32-bit range it saturates.
std::int32_t NumberKeyOf(const std::string& text);

// The order that SortRowRange gives a whole list, found on a copy of its
// texts in the sort column, sorted as `sort` says: entry k is the index in
// `texts` of the row that ends up at k. File names are found in the code
// page with the lead bytes `lead`.
std::vector<int> SortedRowOrder(const std::vector<std::string>& texts, ColumnSort sort, bool ascending,
                                const LeadBytes& lead);

