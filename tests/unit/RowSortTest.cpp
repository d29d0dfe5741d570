#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "listview/RowSort.h"
#include "support/SortedRows.h"
#include "scan/ListRow.h"

namespace {

// The texts of one row, column by column.
using Row = std::vector<std::string>;

int CompareKeys(const std::string& a, const std::string& b, int column)
{
    if (column == 0) {
        const int x = std::atoi(a.c_str());
        const int y = std::atoi(b.c_str());
        return (x > y) - (x < y);
    }
    return std::strcmp(a.substr(a.rfind('\\') + 1).c_str(), b.substr(b.rfind('\\') + 1).c_str());
}

// The sort's steps as they read for a list: every key read afresh from the
// rows, both parts sorted by recursion, the left one first.
void StepsOnRows(std::vector<Row>& rows, int column, bool ascending, int lo, int hi)
{
    if (lo >= hi)
        return;
    const std::string pivot = rows[static_cast<size_t>((lo + hi) / 2)][static_cast<size_t>(column)];
    const auto textAt = [&](int row) -> const std::string& { return rows[static_cast<size_t>(row)][static_cast<size_t>(column)]; };
    const int sign = ascending ? 1 : -1;
    int i = lo;
    int j = hi;
    while (i <= j) {
        while (i < hi && sign * CompareKeys(textAt(i), pivot, column) < 0)
            ++i;
        while (j > lo && sign * CompareKeys(textAt(j), pivot, column) > 0)
            --j;
        if (i <= j) {
            if (textAt(i) != textAt(j))
                std::swap(rows[static_cast<size_t>(i)], rows[static_cast<size_t>(j)]);
            ++i;
            --j;
        }
    }
    if (lo < j)
        StepsOnRows(rows, column, ascending, lo, j);
    if (i < hi)
        StepsOnRows(rows, column, ascending, i, hi);
}

std::vector<Row> SortedBySteps(std::vector<Row> rows, int column, bool ascending)
{
    StepsOnRows(rows, column, ascending, 0, static_cast<int>(rows.size()) - 1);
    return rows;
}

// Rows with many equal keys: numbers that repeat or are written differently,
// file names that repeat in other folders or differ only in case, paths that
// end in a backslash.
std::vector<Row> RandomRows(std::mt19937& random, size_t count)
{
    static const char* const folders[] = {"", "C:\\WINDOWS\\", "C:\\WINDOWS\\system32\\", "D:\\a\\b\\",
                                          "C:\\Program Files\\Common\\"};
    static const char* const names[] = {"Zeta.dll", "alpha.dll", "ALPHA.DLL", "a", "", "kernel32.dll",
                                        "\xe9t\xe9.dll", "~x.exe", "Alpha.dll"};
    static const char* const numbers[] = {"7", "007", " 7", "+7", "-3", "x", "", "100", "99", "2147483647"};
    std::vector<Row> rows;
    for (size_t n = 0; n < count; ++n) {
        const auto pick = [&](size_t size) { return static_cast<size_t>(random()) % size; };
        std::string number = pick(3) == 0 ? numbers[pick(std::size(numbers))] : FormatRowNumber(
                                                                                     static_cast<unsigned>(pick(40)));
        rows.push_back({number, std::string(folders[pick(std::size(folders))]) + names[pick(std::size(names))]});
    }
    return rows;
}

std::vector<Row> NumberedRows(const std::vector<unsigned>& numbers)
{
    std::vector<Row> rows;
    for (const unsigned n : numbers)
        rows.push_back({FormatRowNumber(n), "C:\\WINDOWS\\file" + std::to_string(n) + ".dll"});
    return rows;
}

}  // namespace

TEST(RowSort, CopyOfTheKeysGivesTheOrderOfTheStepsOnTheRows)
{
    std::mt19937 random(20261207);
    for (int list = 0; list < 300; ++list) {
        const std::vector<Row> rows = RandomRows(random, static_cast<size_t>(random()) % (list < 295 ? 60 : 2000));
        for (const int column : {0, 1}) {
            for (const bool ascending : {true, false})
                ASSERT_EQ(SortedByOrder(rows, column, ascending), SortedBySteps(rows, column, ascending))
                    << "list " << list << ", column " << column << (ascending ? " ascending" : " descending");
        }
    }
}

TEST(RowSort, EmptyListsAndSingleRowsStayAsTheyAre)
{
    EXPECT_TRUE(SortedRowOrder({}, 0, true).empty());
    EXPECT_TRUE(SortedRowOrder({}, 1, false).empty());
    EXPECT_EQ(SortedRowOrder({"C:\\a.dll"}, 1, false), std::vector<int>{0});
}

TEST(RowSort, NumbersSortByValueAndGiveBackTheEnumerationOrder)
{
    std::vector<unsigned> numbers(30001);
    std::iota(numbers.begin(), numbers.end(), 1u);
    std::vector<Row> inOrder = NumberedRows(numbers);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(7));
    const std::vector<Row> shuffled = NumberedRows(numbers);

    EXPECT_EQ(SortedByOrder(shuffled, 0, true), inOrder);
    std::reverse(inOrder.begin(), inOrder.end());
    EXPECT_EQ(SortedByOrder(shuffled, 0, false), inOrder);
    // By file name, file100 comes before file99.
    const std::vector<Row> byName = SortedByOrder(NumberedRows({99, 100, 5}), 1, true);
    EXPECT_EQ(byName, NumberedRows({100, 5, 99}));
}

TEST(RowSort, FileNamesSortByCharacterCodeAndIgnoreTheFolders)
{
    const std::vector<std::string> paths = {"C:\\z\\alpha.dll", "C:\\WINDOWS\\", "C:\\b\\Zeta.dll",
                                            "C:\\a\\alpha.dll", "Beta.dll",      "C:\\a\\Alpha.dll"};
    std::vector<std::string> sorted;
    for (const int from : SortedRowOrder(paths, 1, true))
        sorted.push_back(paths[static_cast<size_t>(from)]);
    // An empty name first; every upper-case letter before every lower-case one.
    ASSERT_EQ(sorted.size(), 6u);
    EXPECT_EQ(sorted[0], "C:\\WINDOWS\\");
    EXPECT_EQ(sorted[1], "C:\\a\\Alpha.dll");
    EXPECT_EQ(sorted[2], "Beta.dll");
    EXPECT_EQ(sorted[3], "C:\\b\\Zeta.dll");
    // The same name in two folders: next to each other, in either order.
    EXPECT_TRUE(sorted[4].ends_with("\\alpha.dll") && sorted[5].ends_with("\\alpha.dll"));
}

TEST(RowSort, RowsWithIdenticalTextsAreNeverExchanged)
{
    // Equal keys, identical texts: no row moves, in either direction.
    const std::vector<std::string> same(9, "C:\\WINDOWS\\x.dll");
    std::vector<int> unchanged(9);
    std::iota(unchanged.begin(), unchanged.end(), 0);
    EXPECT_EQ(SortedRowOrder(same, 1, true), unchanged);
    EXPECT_EQ(SortedRowOrder(same, 1, false), unchanged);
    EXPECT_EQ(SortedRowOrder({"7", "7", "7"}, 0, true), std::vector<int>({0, 1, 2}));
    // Equal keys in different texts do change places.
    EXPECT_EQ(SortedRowOrder({"C:\\a\\x.dll", "C:\\b\\x.dll"}, 1, true), std::vector<int>({1, 0}));
    EXPECT_EQ(SortedRowOrder({"7", "007"}, 0, true), std::vector<int>({1, 0}));
}

TEST(NumberKey, ReadsLikeAtoi)
{
    EXPECT_EQ(NumberKeyOf("01"), 1);
    EXPECT_EQ(NumberKeyOf("30001"), 30001);
    EXPECT_EQ(NumberKeyOf(" \t-12x3"), -12);
    EXPECT_EQ(NumberKeyOf("+8"), 8);
    EXPECT_EQ(NumberKeyOf(""), 0);
    EXPECT_EQ(NumberKeyOf("x1"), 0);
    EXPECT_EQ(NumberKeyOf("99999999999"), 2147483647);
    EXPECT_EQ(NumberKeyOf("-99999999999"), -2147483647 - 1);
}

namespace {

// Keys that make the middle row of every range its largest: each pass then
// splits off one row, and a sort that recursed into both parts would go as
// deep as the list is long.
std::vector<int> MiddlePivotKiller(int count)
{
    std::vector<int> keys(static_cast<size_t>(count));
    std::vector<int> rowAt(static_cast<size_t>(count));
    std::iota(rowAt.begin(), rowAt.end(), 0);
    for (int hi = count - 1; hi > 0; --hi) {
        keys[static_cast<size_t>(rowAt[static_cast<size_t>(hi / 2)])] = hi;
        std::swap(rowAt[static_cast<size_t>(hi / 2)], rowAt[static_cast<size_t>(hi)]);
    }
    return keys;
}

// Integer rows that note how many keys were read and how deep in the stack
// the deepest read was.
struct DepthProbeRows {
    std::vector<int> keys;
    const char* lowestFrame;
    long reads = 0;

    int KeyOf(int row)
    {
        lowestFrame = std::min(lowestFrame, static_cast<const char*>(__builtin_frame_address(0)));
        ++reads;
        return keys[static_cast<size_t>(row)];
    }
    bool SameText(int i, int j) const { return keys[static_cast<size_t>(i)] == keys[static_cast<size_t>(j)]; }
    void Exchange(int i, int j) { std::swap(keys[static_cast<size_t>(i)], keys[static_cast<size_t>(j)]); }
};

}  // namespace

TEST(RowSort, AnAdversarialListKeepsTheStackShallow)
{
    constexpr int count = 5001;
    const char* const top = static_cast<const char*>(__builtin_frame_address(0));
    DepthProbeRows rows{MiddlePivotKiller(count), top};
    SortRowRange(rows, 0, count - 1, true);

    std::vector<int> sorted(count);
    std::iota(sorted.begin(), sorted.end(), 0);
    EXPECT_EQ(rows.keys, sorted);
    // The input is adversarial indeed: the passes read keys quadratically often...
    EXPECT_GT(rows.reads, static_cast<long>(count) * count / 4);
    // ...yet the stack holds a few frames, where one frame per row would need
    // hundreds of kilobytes.
    EXPECT_LT(top - rows.lowestFrame, 32 * 1024);
}
