#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/CaseFolding.h"
#include "inspect/NameSearch.h"
#include "rows/RowModel.h"
#include "support/CodePages.h"

namespace {

// The list's rows of `paths`, in the code page the folding has, as the
// search reads them; counts the rows read.
class VectorRows final : public SearchableRows {
public:
    explicit VectorRows(const CaseFolding& folding) : m_folding(folding) {}

    std::vector<std::string> paths;
    int reads = 0;

    int RowCount() override { return Model().RowCount(); }
    void ReadName(int row, std::string& name) override
    {
        ++reads;
        Model().ReadName(row, name);
    }

private:
    ModelNames& Model()
    {
        if (!m_names || paths != m_modelled) {
            m_model = std::make_unique<RowModel>(m_folding.Lead());
            for (std::size_t n = 0; n < paths.size(); ++n)
                m_model->AddRow({static_cast<std::uint32_t>(n + 1), paths[n]});
            m_names = std::make_unique<ModelNames>(*m_model);
            m_modelled = paths;
        }
        return *m_names;
    }

    const CaseFolding& m_folding;
    std::vector<std::string> m_modelled;
    std::unique_ptr<RowModel> m_model;
    std::unique_ptr<ModelNames> m_names;
};

class NameSearchTest : public ::testing::Test {
protected:
    // Ten rows, file names file0.dll ... file9.dll, with `hits` renamed so
    // that they hold "match".
    void TenRows(std::initializer_list<int> hits)
    {
        rows.paths.clear();
        for (int n = 0; n < 10; ++n)
            rows.paths.push_back(SystemFile("file", n));
        for (const int hit : hits)
            rows.paths[static_cast<std::size_t>(hit)] = SystemFile("Match", hit);
    }

    // Appended rather than built with operator+: GCC 12's -Warray-bounds
    // misreads a literal + std::string temporary moved into a vector.
    static std::string SystemFile(const char* stem, int n)
    {
        std::string path = "C:\\WINDOWS\\system32\\";
        path.append(stem).append(std::to_string(n)).append(".dll");
        return path;
    }

    // The rows that successive presses with `text` select; -1 for a press
    // that finds nothing.
    std::vector<int> Presses(const std::string& text, int count)
    {
        std::vector<int> found;
        for (int n = 0; n < count; ++n) {
            const auto match = Press(text);
            found.push_back(match ? match->row : -1);
        }
        return found;
    }

    std::optional<SearchMatch> Press(const std::string& text)
    {
        return SearchNext(text, {lastSearch, start, hit}, rows, folding);
    }

    VectorRows rows{folding};
    CaseFolding folding = CaseFolding::Ascii();
    std::string lastSearch;
    int start = 0;
    int hit = -1;
};

}  // namespace

TEST_F(NameSearchTest, StepsDownThroughMatchesAndStopsAfterTheLastOne)
{
    TenRows({3, 7});
    EXPECT_EQ(Presses("match", 5), (std::vector<int>{3, 7, -1, -1, -1}));
    // A press that finds nothing keeps what the last match left.
    EXPECT_EQ(start, 8);
    EXPECT_EQ(hit, 7);
}

TEST_F(NameSearchTest, WrapsOnlyAfterAMatchInTheLastRow)
{
    TenRows({3, 9});
    const auto first = Press("match");
    const auto second = Press("match");
    const auto third = Press("match");
    // Each match names the row the one before it selected.
    EXPECT_EQ(first->row, 3);
    EXPECT_EQ(first->previousHit, -1);
    EXPECT_EQ(second->row, 9);
    EXPECT_EQ(second->previousHit, 3);
    EXPECT_EQ(third->row, 3);
    EXPECT_EQ(third->previousHit, 9);

    TenRows({9});
    start = 0, hit = -1, lastSearch.clear();
    EXPECT_EQ(Presses("match", 3), (std::vector<int>{9, 9, 9}));
    EXPECT_EQ(start, 0);
}

TEST_F(NameSearchTest, ANewTextStartsAgainFromTheTop)
{
    TenRows({3});
    EXPECT_EQ(Presses("match", 2), (std::vector<int>{3, -1}));
    EXPECT_EQ(Presses("file", 1), (std::vector<int>{0}));
    EXPECT_EQ(Presses("match", 1), (std::vector<int>{3}));
    // Another letter case is the same text: no new start.
    EXPECT_EQ(Presses("MATCH", 1), (std::vector<int>{-1}));
    EXPECT_EQ(lastSearch, "match");
}

TEST_F(NameSearchTest, AnEmptyTextChangesNothingAndAnEmptyListFindsNothing)
{
    EXPECT_FALSE(Press("Kernel"));
    EXPECT_EQ(lastSearch, "kernel");
    EXPECT_EQ(start, 0);
    EXPECT_EQ(hit, -1);

    TenRows({3, 7});
    Press("match");
    EXPECT_FALSE(Press(""));
    EXPECT_EQ(lastSearch, "match");
    EXPECT_EQ(start, 4);
    EXPECT_EQ(hit, 3);
    EXPECT_EQ(rows.reads, 4);
}

TEST_F(NameSearchTest, LooksAtTheFileNameOnly)
{
    rows.paths = {"C:\\WINDOWS\\system32\\drivers\\beep.sys", "C:\\WINDOWS\\system32\\Drivers.txt",
                  "C:\\WINDOWS\\my file.dll", "C:/WINDOWS/slash.dll"};
    EXPECT_EQ(Presses("system32", 1), (std::vector<int>{-1}));
    EXPECT_EQ(Presses("32\\drivers", 1), (std::vector<int>{-1}));
    EXPECT_EQ(Presses("\\", 1), (std::vector<int>{-1}));
    EXPECT_EQ(Presses("DRIVERS", 2), (std::vector<int>{1, -1}));
    // Blanks count; a path without backslashes is all file name.
    EXPECT_EQ(Presses(" ", 1), (std::vector<int>{2}));
    EXPECT_EQ(Presses("windows/", 1), (std::vector<int>{3}));
    // No wildcards: an asterisk stands for itself.
    EXPECT_EQ(Presses("*.dll", 1), (std::vector<int>{-1}));
}

TEST_F(NameSearchTest, MatchesWholeCharactersOfADoubleByteCodePage)
{
    folding = CaseFolding::Ascii(ShiftJisLeadBytes());
    // Ｂ (82 61) ends in 'a'; 表 (95 5C) ends in a backslash.
    rows.paths = {"C:\\dir\\\x82\x61.dll", "C:\\\x95\x5C\\zz.dll", "C:\\dir\\\x95\x5C.dll"};
    EXPECT_EQ(Presses("a", 1), (std::vector<int>{-1}));
    EXPECT_EQ(Presses("\x95\x5C", 2), (std::vector<int>{2, 2}));
    EXPECT_EQ(Presses("\x61.", 1), (std::vector<int>{-1}));
    EXPECT_EQ(Presses(".DLL", 3), (std::vector<int>{0, 1, 2}));
}

TEST(CaseFolding, FoldsByTheTableAndKeepsDoubleByteCharactersWhole)
{
    CaseFolding folding = CaseFolding::Ascii();
    std::string text = "Zeta.DLL";
    folding.Fold(text);
    EXPECT_EQ(text, "zeta.dll");

    // A code page's own letters, and a lead byte whose second byte is 'A'.
    LeadBytes lead;
    lead.Add(0x81);
    folding = CaseFolding::Ascii(lead);
    folding.SetLower(0xC9, 0xE9);
    text = "\xC9T\x81" "AB";
    folding.Fold(text);
    EXPECT_EQ(text, "\xE9t\x81" "Ab");
    // A lead byte at the very end folds nothing past it.
    text = "A\x81";
    folding.Fold(text);
    EXPECT_EQ(text, "a\x81");
}
