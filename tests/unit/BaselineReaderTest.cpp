#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "compare/BaselineReader.h"
#include "export/JsonLines.h"
#include "export/ListExport.h"
#include "verify/VerificationReport.h"
#include "support/AsciiUpper.h"

// A row prints as its fields.
static void PrintTo(const BaselineFile& file, std::ostream* os)
{
    *os << testing::PrintToString(std::vector<std::string_view>{file.path, file.signature, file.signer, file.sha256,
                                                                file.catalog, file.version, file.originalName,
                                                                file.root});
}

TEST(BaselineReader, ReadsWhatVerifyWritesAsCsvOrAsJsonLines)
{
    const std::vector<ListRow> rows = {{1, "C:\\WINDOWS\\system32\\kernel32.dll"}, {2, "C:\\WINDOWS\\a, b.dll"},
                                       {3, "C:\\WINDOWS\\stopped.dll"}};
    const std::string root(64, 'F');
    const std::vector<std::optional<FileVerification>> results = {
        FileVerification{{TrustKind::SignedCatalog, "Microsoft Windows", "", "nt5.cat", root},
                         "AB01",
                         {"6.1.7601.17514", "kernel32"}},
        FileVerification{{TrustKind::Unreadable, "", "Access is denied.", ""}, ""},
        std::nullopt};
    const std::vector<VerifiedFile> files = VerifiedFiles(rows, results);
    const std::vector<Record> records = RecordsOf<VerifiedFile>(VerifiedFileColumns(), files);
    for (const std::string& document :
         {CsvDocument(CsvHeaderOf(VerifiedFileColumns()), records),
          JsonLinesDocument(JsonColumnsOf(VerifiedFileColumns()), records, {"verify", files.size()})}) {
        const Baseline baseline = ReadBaseline(document, AsciiUpper);
        EXPECT_EQ(baseline.refusal, "") << document;
        EXPECT_TRUE(baseline.tellsUpdates) << document;
        EXPECT_EQ(baseline.files,
                  (std::vector<BaselineFile>{
                      {rows[0].path, "Signed (catalog)", "Microsoft Windows", "AB01", "nt5.cat", "6.1.7601.17514",
                       "kernel32", root},
                      {rows[1].path, "Could not be read: Access is denied.", "", "", ""},
                      {rows[2].path, "Not verified (stopped)", "", "", ""},
                  }))
            << document;
    }
}

TEST(BaselineReader, FindsItsColumnsInAnyCsvOrJsonLinesThatHoldsThem)
{
    const BaselineFile kernel32 = {"C:\\WINDOWS\\kernel32.dll", "Signed (catalog)", "Microsoft Windows", "AB01", ""};
    const BaselineFile onlyHash = {"C:\\WINDOWS\\kernel32.dll", "", "", "AB01", ""};
    const struct {
        const char* bytes;
        std::vector<BaselineFile> files;
        // It has Version, Original name and Root, which tell an update.
        bool tellsUpdates = false;
    } table[] = {
        {"\xEF\xBB\xBFN,Path,Signature,Signer,SHA256\r\n01,C:\\WINDOWS\\kernel32.dll,Signed (catalog),Microsoft "
         "Windows,AB01\r\n",
         {kernel32}},
        {"N,Path,Signature,Signer,SHA256,Catalog\n1,C:\\WINDOWS\\kernel32.dll,Signed (catalog),Microsoft Windows,AB01,"
         "nt5.cat\n",
         {{kernel32.path, kernel32.signature, kernel32.signer, "AB01", "nt5.cat"}}},
        // Any order, other columns, names in any case with blanks around.
        {"Size, sha256 ,Signer,PATH,Note\r\n12,AB01,Microsoft Windows,C:\\WINDOWS\\kernel32.dll,x\r\n",
         {{kernel32.path, "", kernel32.signer, "AB01", ""}}},
        {"Path,SHA256,root,ORIGINAL NAME, Version\r\nC:\\a.dll,AB01,00FF,a.dll,1.2.3.4\r\n",
         {{"C:\\a.dll", "", "", "AB01", "", "1.2.3.4", "a.dll", "00FF"}},
         true},
        // All three, or the baseline cannot tell an update.
        {"Path,SHA256,Version,Original name\r\nC:\\a.dll,AB01,1.2.3.4,a.dll\r\n",
         {{"C:\\a.dll", "", "", "AB01", "", "1.2.3.4", "a.dll", ""}}},
        {"\"Path\",\"SHA256\"\r\n\"C:\\WINDOWS\\kernel32.dll\",\"AB01\"", {onlyHash}},
        {"Path,SHA256\r\n", {}},
        {"Path,SHA256\r\nC:\\WINDOWS\\kernel32.dll,AB01\r\n\r\n\n", {onlyHash}},
        {"Path,SHA256\r\nC:\\WINDOWS\\kernel32.dll,AB01", {onlyHash}},
        {"Path,SHA256,Signer\r\nC:\\WINDOWS\\kernel32.dll,AB01,\r\n", {onlyHash}},
        // A field that was not made inert reads as it is.
        {"Path,SHA256,Signer\r\nC:\\WINDOWS\\kernel32.dll,AB01,=x\r\n", {{onlyHash.path, "", "=x", "AB01", ""}}},
        // Quoted fields: commas, doubled quotes and line breaks inside.
        {"Path,Signer,SHA256\r\n\"C:\\a, b.dll\",\"say \"\"hi\"\"\",\"\"\r\n",
         {{"C:\\a, b.dll", "", "say \"hi\"", "", ""}}},
        {"Path,Signer,SHA256\n\"C:\\a.dll\",\"two\r\nlines\",00\n\"C:\\b.dll\",\"two\nlines\",01\n",
         {{"C:\\a.dll", "", "two\r\nlines", "00", ""}, {"C:\\b.dll", "", "two\nlines", "01", ""}}},
        // A carriage return that ends no line is text.
        {"Path,SHA256\r\nC:\\a\r.dll,0\r\r\n", {{"C:\\a\r.dll", "", "", "0\r", ""}}},
        {"Path,SHA256\r\nC:\\caf\xC3\xA9\\\xE6\x97\xA5\xF0\x9F\x98\x80.dll,0\r\n",
         {{"C:\\caf\xC3\xA9\\\xE6\x97\xA5\xF0\x9F\x98\x80.dll", "", "", "0", ""}}},
        // Paths that differ in case only in characters the folding keeps.
        {"Path,SHA256\r\nC:\\\xC3\xA9.dll,0\r\nC:\\\xC3\x89.dll,1\r\n",
         {{"C:\\\xC3\xA9.dll", "", "", "0", ""}, {"C:\\\xC3\x89.dll", "", "", "1", ""}}},
        // JSON Lines, by the members' names: any order, others ignored
        // whatever they hold, the summary wherever it is, blank lines, a
        // byte order mark and CR LF as a PowerShell pipe leaves them.
        {"{\"sha256\":\"AB01\",\"n\":1,\"path\":\"C:\\\\WINDOWS\\\\kernel32.dll\",\"signer\":\"Microsoft Windows\","
         "\"signature\":\"Signed (catalog)\",\"size\":[1,{\"path\":\"x\"}],\"note\":null}\n",
         {kernel32}},
        {"\xEF\xBB\xBF {\"summary\":true,\"path\":\"C:\\\\x\"}\r\n\r\n{\"path\":\"C:\\\\WINDOWS\\\\kernel32.dll\","
         "\"sha256\":\"AB01\"}\r\n{\"summary\":true,\"files\":1}\r\n",
         {onlyHash}},
        {"{\"path\":\"C:\\\\a.dll\",\"sha256\":\"\",\"version\":\"1.2.3.4\",\"original_name\":\"a\\u002Edll\","
         "\"root\":\"00FF\",\"summary\":false}",
         {{"C:\\a.dll", "", "", "", "", "1.2.3.4", "a.dll", "00FF"}},
         true},
        // Every file has all three, or the baseline cannot tell an update.
        {"{\"path\":\"C:\\\\a\",\"sha256\":\"0\",\"version\":\"\",\"original_name\":\"\",\"root\":\"\"}\n"
         "{\"path\":\"C:\\\\b\",\"sha256\":\"1\",\"version\":\"\",\"original_name\":\"\"}\n",
         {{"C:\\a", "", "", "0", ""}, {"C:\\b", "", "", "1", ""}}},
        {"{\"summary\":true}\n", {}, true},
    };
    for (const auto& row : table) {
        const Baseline baseline = ReadBaseline(row.bytes, AsciiUpper);
        EXPECT_EQ(baseline.refusal, "") << row.bytes;
        EXPECT_EQ(baseline.files, row.files) << row.bytes;
        EXPECT_EQ(baseline.tellsUpdates, row.tellsUpdates) << row.bytes;
    }
}

TEST(BaselineReader, ReadsEveryFieldBackAsItWasWritten)
{
    const char* const fields[] = {
        "=HYPERLINK(\"http://x\")", "+1", "-2+3", "@SUM(A1)", "\tTab", "\rReturn", "'=already", "''@twice",
        "'quoted", "'", "''", "a=b", "", "-", "C:\\a, b.dll", "say \"hi\"", "line\r\nbreak", "\"", ",",
    };
    std::vector<Record> records;
    for (const char* field : fields)
        records.push_back({std::string("C:\\") + std::to_string(records.size()), field, field, field, field});
    const std::string document = CsvDocument({"Path", "Signature", "Signer", "SHA256", "Catalog"}, records);
    const Baseline baseline = ReadBaseline(document, AsciiUpper);
    ASSERT_EQ(baseline.refusal, "");
    ASSERT_EQ(baseline.files.size(), std::size(fields));
    for (std::size_t row = 0; row < std::size(fields); ++row) {
        const std::string field = fields[row];
        EXPECT_EQ(baseline.files[row], (BaselineFile{records[row][0], field, field, field, field})) << field;
    }
    const std::string lines = JsonLinesDocument(
        {{"path", false}, {"signature", false}, {"signer", false}, {"sha256", false}, {"catalog", false}}, records, {});
    EXPECT_EQ(ReadBaseline(lines, AsciiUpper).files, baseline.files);
}

TEST(BaselineReader, RefusesWhatIsNoBaselineAndSaysWhy)
{
    const struct {
        std::string bytes;
        const char* refusal;
    } table[] = {
        {"", "it is empty"},
        {"\xEF\xBB\xBF", "it is empty"},
        {"\xEF\xBB\xBF\r\n\r\n", "it is empty"},
        {std::string("Path,SHA256\r\nC:\\a\0.dll,00\r\n", 25), "it is not text (a NUL byte on line 2)"},
        {std::string("\xFF\xFEP\0a\0", 6), "it is not UTF-8 text (line 1)"},
        {"Path,SHA256\r\n\r\n\r\nC:\\\xC3(.dll,0\r\n", "it is not UTF-8 text (line 4)"},
        {"Path,SHA256\nC:\\\xC0\xAF.dll,0\n", "it is not UTF-8 text (line 2)"},          // overlong
        {"Path,SHA256\nC:\\\xE0\x80\xAF.dll,0\n", "it is not UTF-8 text (line 2)"},
        {"Path,SHA256\nC:\\\xF0\x80\x80\xAF.dll,0\n", "it is not UTF-8 text (line 2)"},
        {"Path,SHA256\nC:\\\xED\xA0\x80.dll,0\n", "it is not UTF-8 text (line 2)"},      // a surrogate
        {"Path,SHA256\nC:\\\xF4\x90\x80\x80.dll,0\n", "it is not UTF-8 text (line 2)"},  // past U+10FFFF
        {"Path,SHA256\nC:\\\xE6\x97", "it is not UTF-8 text (line 2)"},                  // cut short
        {"Path,SHA256\nC:\\\xE6\x97(.dll,0\n", "it is not UTF-8 text (line 2)"},
        {"Path,SHA256\nC:\\\x80.dll,0\n", "it is not UTF-8 text (line 2)"},
        {"N,Signature\r\n01,Not signed\r\n", "it has neither a Path nor a SHA256 column"},
        {"N,Path,Signature\r\n01,C:\\a.dll,Not signed\r\n", "it has no SHA256 column"},
        {"SHA256,Signer\r\n00,x\r\n", "it has no Path column"},
        {"SHA-256,Path\r\n00,C:\\a.dll\r\n", "it has no SHA256 column"},
        {"Path,SHA256, path\r\n", "it has two Path columns"},
        {"Path,SHA256,Signer,SIGNER\r\n", "it has two Signer columns"},
        {"Path,SHA256\r\nC:\\a.dll,0\r\nC:\\b.dll,0,x\r\n", "line 3 has 3 fields, its header 2"},
        {"Path,SHA256\r\nC:\\a.dll\r\n", "line 2 has 1 field, its header 2"},
        {"Path,SHA256\r\nC:\\a.dll,0\r\n\r\nC:\\b.dll,0\r\n", "line 3 has 1 field, its header 2"},
        // A record's line is where it starts, after the line breaks in
        // quotes before it.
        {"Path,SHA256\r\n\"C:\\a\r\n.dll\",0\r\nC:\\b.dll\r\n", "line 4 has 1 field, its header 2"},
        {"Path,SHA256\r\nC:\\a.dll,0\r\n\"C:\\b.dll,0\r\nC:\\c.dll,0\r\n",
         "a quoted field that starts on line 3 never ends"},
        {"Path,SHA256\r\n\"C:\\a.dll\",\"0\"\"", "a quoted field that starts on line 2 never ends"},
        {"Path,SHA256\r\n\"C:\\a\".dll,0\r\n", "line 2 has text after the closing quote of a field"},
        {"Path,SHA256\r\n\"C:\\\na.dll\"\r,0\r\n", "line 3 has text after the closing quote of a field"},
        {"Path,SHA256\r\nC:\\a.dll,0\r\n,1\r\n", "line 3 has no path"},
        {"Path,SHA256\r\nC:\\x,0\r\nC:\\y,0\r\nc:\\X,1\r\n", "line 4 lists c:\\X again, as line 2 did"},
        // The first repeat in the file, whatever the order of the keys.
        {"Path,SHA256\r\nC:\\a,0\r\nC:\\b,0\r\nC:\\B,0\r\nC:\\A,0\r\nC:\\b,0\r\n",
         "line 4 lists C:\\B again, as line 3 did"},
        // JSON Lines.
        {"{\"path\":\"C:\\\\a\",\"sha256\":\"0\"}\n{\"path\":\"C:\\\\b\",", "line 2 is not JSON (at character 17)"},
        {"{\"path\":\"C:\\\\a\",\"sha256\":\"0\"} x", "line 1 is not JSON (at character 31)"},
        {"{\"path\":\"C:\\\\\xC3(\",\"sha256\":\"0\"}", "line 1 is not JSON (at character 15)"},
        {"{\"path\":\"C:\\\\a\",\"sha256\":\"0\"}\n[1]\n", "line 2 is not a JSON object"},
        {"{\"path\":\"C:\\\\a\",\"sha256\":\"0\"}\n\"x\"\n", "line 2 is not a JSON object"},
        {"{\"sha256\":\"0\"}", "line 1 has no path"},
        {"{\"path\":\"\",\"sha256\":\"0\"}", "line 1 has no path"},
        {"{\"path\":\"C:\\\\a\"}", "line 1 has no sha256"},
        {"{}", "line 1 has no path"},
        {"{\"path\":\"C:\\\\a\\u0000.dll\",\"sha256\":\"0\"}", "line 1 is not text (a NUL character)"},
        {"{\"path\":\"C:\\\\a\",\"sha256\":0}", "line 1 has a \"sha256\" that is not a text"},
        {"{\"path\":\"C:\\\\a\",\"sha256\":\"0\",\"signer\":{\"name\":\"x\"}}",
         "line 1 has a \"signer\" that is not a text"},
        {"{\"path\":[\"C:\\\\a\"],\"sha256\":\"0\"}", "line 1 has a \"path\" that is not a text"},
        {"{\"path\":\"C:\\\\a\",\"path\":\"C:\\\\b\",\"sha256\":\"0\"}", "line 1 has two \"path\" members"},
        {"{\"path\":\"C:\\\\x\",\"sha256\":\"0\"}\n\n{\"path\":\"c:\\\\X\",\"sha256\":\"1\"}",
         "line 3 lists c:\\X again, as line 1 did"},
    };
    for (const auto& row : table) {
        const Baseline baseline = ReadBaseline(row.bytes, AsciiUpper);
        EXPECT_EQ(baseline.refusal, row.refusal) << testing::PrintToString(row.bytes);
        EXPECT_TRUE(baseline.files.empty()) << testing::PrintToString(row.bytes);
    }
}
