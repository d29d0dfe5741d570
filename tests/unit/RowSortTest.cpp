#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "rows/RowSort.h"
#include "scan/ListRow.h"
#include "support/SortedRows.h"

namespace {

// The texts of one row, column by column.
using Row = std::vector<std::string>;

int CompareKeys(const std::string& a, const std::string& b, int column)
{
    if (column == 0)
        return (std::atoi(a.c_str()) > std::atoi(b.c_str())) - (std::atoi(a.c_str()) < std::atoi(b.c_str()));
    return std::strcmp(a.substr(a.rfind('\\') + 1).c_str(), b.substr(b.rfind('\\') + 1).c_str());
}

// The sort's steps as they read for a list: every key read afresh from the
// rows, both parts sorted by recursion, the left one first.
void StepsOnRows(std::vector<Row>& rows, int column, bool ascending, int lo, int hi)
{
    const auto text = [&](int row) -> const std::string& { return rows[static_cast<size_t>(row)][static_cast<size_t>(column)]; };
    const std::string pivot = text((lo + hi) / 2);
    const int sign = ascending ? 1 : -1;
    int i = lo;
    int j = hi;
    while (i <= j) {
        while (i < hi && sign * CompareKeys(text(i), pivot, column) < 0)
            ++i;
        while (j > lo && sign * CompareKeys(text(j), pivot, column) > 0)
            --j;
        if (i <= j) {
            if (text(i) != text(j))
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
    const auto pick = [&](size_t size) { return static_cast<size_t>(random()) % size; };
    std::vector<Row> rows;
    for (size_t n = 0; n < count; ++n) {
        std::string number = pick(3) == 0 ? numbers[pick(std::size(numbers))] : FormatRowNumber(static_cast<unsigned>(pick(40)));
        rows.push_back({number, std::string(folders[pick(std::size(folders))]) + names[pick(std::size(names))]});
    }
    return rows;
}

}  // namespace

TEST(RowSort, CopyOfTheKeysGivesTheOrderOfTheStepsOnTheRows)
{
    std::mt19937 random(20261207);
    for (int list = 0; list < 300; ++list) {
        std::vector<Row> rows = RandomRows(random, static_cast<size_t>(random()) % (list < 295 ? 60 : 2000));
        for (const int column : {0, 1}) {
            for (const bool ascending : {true, false}) {
                std::vector<Row> stepped = rows;
                if (!rows.empty())
                    StepsOnRows(stepped, column, ascending, 0, static_cast<int>(rows.size()) - 1);
                ASSERT_EQ(SortedByOrder(rows, column, ascending), stepped)
                    << "list " << list << ", column " << column << (ascending ? " ascending" : " descending");
            }
        }
    }
}

TEST(RowSort, OrdersNumbersByValueAndNamesByCharacterCodeAndNeverSwapsIdenticalTexts)
{
    struct Case {
        const char* name;
        std::vector<std::string> texts;
        int column;
        bool ascending;
        std::vector<int> order;
    };
    const Case cases[] = {
        {"empty", {}, 0, true, {}},
        {"single", {"C:\\a.dll"}, 1, false, {0}},
        {"identical paths ascending", {"C:\\x.dll", "C:\\x.dll", "C:\\x.dll"}, 1, true, {0, 1, 2}},
        {"identical paths descending", {"C:\\x.dll", "C:\\x.dll", "C:\\x.dll"}, 1, false, {0, 1, 2}},
        {"identical numbers", {"7", "7", "7"}, 0, true, {0, 1, 2}},
        // Equal keys in different texts do change places.
        {"one name in two folders", {"C:\\a\\x.dll", "C:\\b\\x.dll"}, 1, true, {1, 0}},
        {"one number written two ways", {"7", "007"}, 0, true, {1, 0}},
        {"numbers by value", {"100", "9", "10", "01", "30001"}, 0, true, {3, 1, 2, 0, 4}},
        {"numbers by value, descending", {"100", "9", "10", "01", "30001"}, 0, false, {4, 0, 2, 1, 3}},
        {"numbers in names by character", {"C:\\file99.dll", "C:\\file100.dll"}, 1, true, {1, 0}},
        // The folders do not count; an empty name first; every upper-case letter before every lower-case one.
        {"names", {"C:\\a\\Zeta.dll", "C:\\z\\alpha.dll", "C:\\WINDOWS\\", "C:\\z\\Beta.dll", "Alpha.dll"}, 1, true,
         {2, 4, 3, 0, 1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SortedRowOrder(c.texts, FileListSort(c.column), c.ascending, LeadBytes{}), c.order) << c.name;
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

// Integer rows that count the keys read and note the deepest frame that read one.
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
    // ...yet the stack holds a few frames, where one frame per row would need hundreds of kilobytes.
    EXPECT_LT(top - rows.lowestFrame, 32 * 1024);
}
