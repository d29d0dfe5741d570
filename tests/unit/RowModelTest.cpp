#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "rows/RowModel.h"
#include "support/SortedRows.h"
#include "rows/RowSort.h"
#include "rows/SchemaRows.h"
#include "rows/TableOrder.h"
#include "platform/LeadBytes.h"
#include "support/CodePages.h"

namespace {

std::vector<std::string> ColumnTexts(const std::vector<ListRow>& rows, int column)
{
    std::vector<std::string> texts;
    for (const ListRow& row : rows)
        texts.push_back(column == 0 ? FormatRowNumber(row.number) : row.path);
    return texts;
}

}  // namespace

TEST(RowModel, SortsInTheOrderOfItsColumnsTextsAndSaysWhereEachRowCameFrom)
{
    // Repeated numbers and names, names that differ in case only, paths that
    // end in a backslash: rows with equal keys, whose order the sort's exact
    // steps decide.
    static const char* const paths[] = {"C:\\a\\Zeta.dll", "C:\\b\\Zeta.dll", "C:\\alpha.dll", "D:\\ALPHA.DLL",
                                        "C:\\WINDOWS\\", "x.dll", "C:\\a\\x.dll", "C:\\a\\Zeta.dll"};
    std::mt19937 random(20261208);
    for (int list = 0; list < 200; ++list) {
        std::vector<ListRow> rows;
        for (std::size_t n = static_cast<std::size_t>(random()) % 80; n > 0; --n)
            rows.push_back({static_cast<std::uint32_t>(random() % 30 + (list % 2 ? 4294967280u : 0u)),
                            paths[random() % std::size(paths)]});
        for (const int column : {0, 1}) {
            for (const bool ascending : {true, false}) {
                const LeadBytes singleByte;
                RowModel model(singleByte);
                model.Append(std::vector<ListRow>(rows));
                const std::vector<int> order = model.Sort(FileListSort(column), ascending);
                ASSERT_EQ(order, SortedRowOrder(ColumnTexts(rows, column), FileListSort(column), ascending, LeadBytes{}))
                    << "list " << list << ", column " << column;
                for (std::size_t at = 0; at < order.size(); ++at) {
                    ASSERT_EQ(model[at].number, rows[static_cast<std::size_t>(order[at])].number);
                    ASSERT_EQ(model[at].path, rows[static_cast<std::size_t>(order[at])].path);
                }
            }
        }
    }
}

TEST(RowModel, TypingFindsTheNextRowWhoseNumberStartsWithTheText)
{
    const LeadBytes singleByte;
    RowModel model(singleByte);
    for (const std::uint32_t number : {1u, 2u, 10u, 21u, 100u, 3u})
        model.AddRow({number, "C:\\f.dll"});
    struct Case {
        const char* text;
        int start;
        bool wrap;
        bool partial;
        std::optional<std::size_t> row;
    };
    const Case cases[] = {
        {"1", 0, true, true, 2},        // "01" does not start with "1"
        {"1", 3, true, true, 4},        // "100"
        {"1", 5, true, true, 2},        // from the top again
        {"1", 5, false, true, std::nullopt},
        {"0", 1, true, true, 1},
        {"10", 0, true, false, 2},      // the whole text
        {"1", 0, true, false, std::nullopt},
        {"x", 0, true, true, std::nullopt},
        {"03", 99, true, true, 5},
        {"03", 99, false, true, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindNumberText(model, c.text, c.start, c.wrap, c.partial), c.row) << c.text << " from " << c.start;
    EXPECT_EQ(FindNumberText(RowModel(singleByte), "1", 0, true, true), std::nullopt);
}

TEST(TableOrder, SortsTheFirstColumnByNumberAndTheOthersByTextKeepingTies)
{
    const std::vector<std::vector<std::string>> records = {
        {"100", "C:\\b.dll", "Not signed"},
        {"9", "C:\\a.dll", "Signer not trusted"},
        {"10", "C:\\c.dll", "Not signed"},
    };
    struct Case {
        std::size_t column;
        bool ascending;
        std::vector<std::size_t> order;
    };
    const Case cases[] = {
        {0, true, {1, 2, 0}},   // 9 < 10 < 100, not "10" < "100" < "9"
        {0, false, {0, 2, 1}},
        {1, true, {1, 0, 2}},
        {2, true, {0, 2, 1}},   // equal texts keep their order
        {2, false, {1, 0, 2}},
        {3, true, {0, 1, 2}},   // a column no record has
    };
    for (const Case& c : cases)
        EXPECT_EQ(SortedTableOrder(records, c.column, c.column == 0 ? ColumnSort::ByNumber : ColumnSort::ByText, c.ascending), c.order) << c.column << c.ascending;
}

TEST(SchemaRows, SortTheRowsAndTheirTextsTogetherAndTypingFindsAFirstColumn)
{
    struct Signed {
        std::string name;
        std::string signer;
    };
    static const TableColumn<Signed> columns[] = {
        {{" Name", 60, false, ColumnSort::ByText}, "Name", "name", [](const Signed& row) { return row.name; }},
        {{" Signer", 60, true, ColumnSort::ByText}, "Signer", "signer", [](const Signed& row) { return row.signer; }},
    };
    SchemaRows<Signed> table(columns, [](const std::string& text) { return "<" + text + ">"; });
    table.SetRows({{"beta.dll", "Microsoft"}, {"Alpha.dll", "Mallory"}, {"gamma.dll", "Contoso"}});
    EXPECT_EQ(table.Text(1, 1), "<Mallory>");
    EXPECT_EQ(table.Sort(1, true), (std::vector<int>{2, 1, 0}));
    std::vector<std::string> names;
    for (const Signed& row : table.Rows())
        names.push_back(row.name);
    EXPECT_EQ(names, (std::vector<std::string>{"gamma.dll", "Alpha.dll", "beta.dll"}));
    EXPECT_EQ(RecordsOf(table).front(), (std::vector<std::string>{"<gamma.dll>", "<Contoso>"}));

    const struct {
        const char* typed;
        int start;
        bool wrap, partial;
        std::optional<std::size_t> row;
    } finds[] = {
        {"<a", 0, false, true, 1},             // letter case aside
        {"<G", 1, false, true, std::nullopt},  // from the start on
        {"<G", 1, true, true, 0},              // then from the top
        {"<alpha.dll>", -1, false, false, 1},  // the whole text
        {"<alpha", 0, false, false, std::nullopt},
    };
    for (const auto& f : finds)
        EXPECT_EQ(table.FindRow(f.typed, f.start, f.wrap, f.partial), f.row) << f.typed << " from " << f.start;
}

TEST(RowModel, KeepsEachPathWholeAndItsFileNameApartInAnyCodePage)
{
    const LeadBytes shiftJis = ShiftJisLeadBytes();
    RowModel model(shiftJis);
    const struct {
        const char* path;
        const char* name;
    } rows[] = {
        {"C:\\dir\\\x95\x5C.dll", "\x95\x5C.dll"},  // 表 ends in a backslash byte
        {"C:\\\x95\x5C\\zz.dll", "zz.dll"},
        {"C:\\\x95\x5C\\yy.dll", "yy.dll"},
        {"C:\\WINDOWS\\", ""},
        {"x.dll", "x.dll"},
        {"C:\\dir\\\x95\x5C.dll", "\x95\x5C.dll"},
    };
    for (std::uint32_t n = 0; n < std::size(rows); ++n)
        model.AddRow({n + 1, rows[n].path});
    ASSERT_EQ(model.Count(), std::size(rows));
    for (std::size_t n = 0; n < std::size(rows); ++n) {
        EXPECT_EQ(model.Path(n), rows[n].path) << n;
        EXPECT_EQ(model.Name(n), rows[n].name) << n;
        EXPECT_EQ(model.Number(n), n + 1);
    }
    EXPECT_EQ(model.Rows().back().path, rows[std::size(rows) - 1].path);
}
