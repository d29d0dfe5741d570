#include "rows/TableOrder.h"

#include <algorithm>
#include <numeric>

#include "rows/RowSort.h"

std::vector<std::size_t> SortedTableOrder(const std::vector<std::vector<std::string>>& records, std::size_t column,
                                          ColumnSort sort, bool ascending)
{
    const auto text = [&](std::size_t record) -> const std::string& {
        static const std::string none;
        return column < records[record].size() ? records[record][column] : none;
    };
    const auto before = [&](std::size_t a, std::size_t b) {
        if (sort == ColumnSort::ByNumber)
            return NumberKeyOf(text(a)) < NumberKeyOf(text(b));
        return text(a) < text(b);
    };
    std::vector<std::size_t> order(records.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return ascending ? before(a, b) : before(b, a); });
    return order;
}
