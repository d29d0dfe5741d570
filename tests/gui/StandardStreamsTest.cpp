// /save, /verify and /compare on the standard streams, in JSON Lines or CSV:
// what a fleet tool that starts Vorlane reads from it and hands it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/ScriptCommands.h"
#include "gui/TestServices.h"
#include "platform/TextConversion.h"
#include "res/Version.h"

namespace {

using Json = nlohmann::ordered_json;

// Each line of JSON Lines as the object it holds; a line that is no JSON
// fails the test.
std::vector<Json> Objects(const std::string& lines)
{
    std::vector<Json> objects;
    std::istringstream split(lines);
    for (std::string line; std::getline(split, line);)
        objects.push_back(Json::parse(line));
    return objects;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(StandardStreams, VerifyWritesJsonLinesToStandardOutputThatCompareTakesBackFromStandardInput)
{
    TestServices test;
    test.ListFiles(2);
    test.trust.otherwise = {TrustKind::SignedCatalog, "Microsoft Windows", "", "nt5.cat", "R00T"};
    test.trust.results["C:\\WINDOWS\\system32\\file1.dll"] = {TrustKind::NotSigned, "", "", ""};
    test.trust.descriptions["C:\\WINDOWS\\system32\\file0.dll"] = {"10.0.1.2", "file0.dll"};
    std::wstring message;
    ASSERT_EQ(RunVerifyCommand(test.services, L"-", false, message, OutputFormat::JsonLines), 4)
        << AnsiText(message.c_str());
    EXPECT_NE(AnsiText(message.c_str()).find("Vorlane saved the results to standard output: 1 of 2 files"),
              std::string::npos)
        << AnsiText(message.c_str());
    const std::string verified = test.streams.output;
    const std::vector<Json> lines = Objects(verified);
    ASSERT_EQ(lines.size(), 3u) << verified;
    EXPECT_EQ(lines[0].dump(), Json({{"n", 1},
                                     {"path", "C:\\WINDOWS\\system32\\file0.dll"},
                                     {"signature", "Signed (catalog)"},
                                     {"signer", "Microsoft Windows"},
                                     {"sha256", "C:\\WINDOWS\\SYSTEM32\\FILE0.DLL"},
                                     {"catalog", "nt5.cat"},
                                     {"version", "10.0.1.2"},
                                     {"original_name", "file0.dll"},
                                     {"root", "R00T"}})
                                   .dump());
    EXPECT_EQ(lines[1]["signature"], "Not signed");
    EXPECT_EQ(lines[1]["root"], "");
    EXPECT_EQ(lines[2].dump(), Json({{"summary", true},
                                     {"command", "verify"},
                                     {"files", 2},
                                     {"counts",
                                      {{"signed_catalog", 1},
                                       {"signed_embedded", 0},
                                       {"not_signed", 1},
                                       {"does_not_match", 0},
                                       {"signer_not_trusted", 0},
                                       {"unreadable", 0},
                                       {"not_checked", 0}}},
                                     {"whole", true},
                                     {"exit_code", 4},
                                     {"vorlane_version", VORLANE_VERSION_TEXT},
                                     {"windows_version", "5.1.2600"}})
                                   .dump());

    // The same files again, and then one whose signature is gone.
    TempTree tree;
    const std::string report = tree.Root() + "\\report.jsonl";
    test.streams.input = verified;
    test.streams.output.clear();
    EXPECT_EQ(RunCompareCommand(test.services, L"-", WideText(report), message, OutputFormat::JsonLines), 0)
        << AnsiText(message.c_str());
    const std::vector<Json> none = Objects(FileBytes(report));
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0]["command"], "compare");
    EXPECT_EQ(none[0]["exit_code"], 0);
    test.trust.results["C:\\WINDOWS\\system32\\file0.dll"] = {TrustKind::NotSigned, "", "", ""};
    EXPECT_EQ(RunCompareCommand(test.services, L"-", L"-", message, OutputFormat::JsonLines), 5);
    EXPECT_NE(AnsiText(message.c_str()).find("Vorlane saved the differences to standard output"), std::string::npos)
        << AnsiText(message.c_str());
    const std::vector<Json> changed = Objects(test.streams.output);
    ASSERT_EQ(changed.size(), 2u) << test.streams.output;
    EXPECT_EQ(changed[0]["change"], "Signature changed");
    EXPECT_EQ(changed[0]["before"]["signature"], "Signed (catalog)");
    EXPECT_EQ(changed[0]["after"]["signature"], "Not signed");
    EXPECT_EQ(changed[0]["after"]["version"], "10.0.1.2");
    EXPECT_EQ(changed[1]["counts"]["signature_changed"], 1);
    EXPECT_EQ(changed[1]["exit_code"], 5);

    // A CSV baseline from standard input, its report on standard output as
    // CSV; the list as /save writes it.
    test.streams.input = "Path,SHA256\r\nC:\\WINDOWS\\system32\\file0.dll,C:\\WINDOWS\\SYSTEM32\\FILE0.DLL\r\n";
    test.streams.output.clear();
    EXPECT_EQ(RunCompareCommand(test.services, L"-", L"-", message), 5);
    EXPECT_TRUE(test.streams.output.starts_with("\xEF\xBB\xBF" "Change,Path,")) << test.streams.output;
    EXPECT_NE(test.streams.output.find("\r\nAdded,C:\\WINDOWS\\system32\\file1.dll,"), std::string::npos);
    test.streams.output.clear();
    EXPECT_EQ(RunSaveCommand(test.services, L"-", false, message, OutputFormat::JsonLines), 0);
    EXPECT_EQ(test.streams.output.substr(0, test.streams.output.find('\n') + 1),
              "{\"n\":1,\"path\":\"C:\\\\WINDOWS\\\\system32\\\\file0.dll\"}\n");
}

TEST(StandardStreams, WhatCannotBeReadOrWrittenThereIsExitOneWithTheReasonAndNoReport)
{
    const struct {
        const char* name;
        const char* input;
        unsigned inputError, outputError;
        bool verify;
        const char* said;
    } cases[] = {
        {"an empty standard input", "", 0, 0, false,
         "Vorlane cannot compare with standard input. What it holds is no baseline: it is empty."},
        {"no baseline in it", "{\"path\":\"C:\\\\a.dll\"}\n", 0, 0, false,
         "What it holds is no baseline: line 1 has no sha256."},
        {"no standard input", "", ERROR_INVALID_HANDLE, 0, false,
         "Vorlane could not read the baseline from standard input. "},
        {"a closed standard output", "Path,SHA256\r\n", 0, ERROR_NO_DATA, false,
         "Vorlane could not write the differences to standard output: "},
        {"the list to a closed standard output", "", 0, ERROR_NO_DATA, true,
         "Vorlane could not write the list to standard output: "},
    };
    for (const auto& c : cases) {
        TempTree tree;
        const std::string report = tree.Root() + "\\report.jsonl";
        TestServices test;
        test.ListFiles(2);
        test.streams.input = c.input;
        test.streams.inputError = c.inputError;
        test.streams.outputError = c.outputError;
        std::wstring message;
        const int exitCode =
            c.verify ? RunVerifyCommand(test.services, L"-", false, message, OutputFormat::JsonLines)
                     : RunCompareCommand(test.services, L"-", c.outputError ? L"-" : WideText(report), message,
                                         OutputFormat::JsonLines);
        EXPECT_EQ(exitCode, 1) << c.name;
        EXPECT_NE(AnsiText(message.c_str()).find(c.said), std::string::npos) << c.name << ": " << AnsiText(message.c_str());
        EXPECT_EQ(::GetFileAttributesA(report.c_str()), INVALID_FILE_ATTRIBUTES) << c.name;
        EXPECT_EQ(test.streams.output, "") << c.name;
    }
}
