// Run by tools/check-save.sh in the demonstration service's Wine prefix,
// after the real Vorlane.exe /save wrote the file VORLANE_SAVED_LIST names:
// the file holds what the dialog lists for the same service.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gui/DialogDriver.h"
#include "gui/MainDialogSteps.h"

namespace {

std::string Utf8Of(const std::string& ansi)
{
    wchar_t wide[1024] = {};
    char utf8[4096] = {};
    const int length = ::MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, wide, 1024);
    ::WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

}  // namespace

TEST(SaveCommand, WritesWhatTheDialogListsForTheSameService)
{
    char saved[MAX_PATH] = "";
    ASSERT_NE(::GetEnvironmentVariableA("VORLANE_SAVED_LIST", saved, MAX_PATH), 0u)
        << "tools/check-save.sh runs this test, with the file Vorlane.exe /save wrote";
    std::ifstream file(saved, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};

    // The demonstration service's paths hold no comma or quote: each record
    // is the number, a comma and the path in UTF-8.
    std::vector<std::string> listed{"\xEF\xBB\xBFN,Path"};
    CVorlaneDlg dlg(PlatformServices::Production());
    RunModal(dlg,
             {
                 FillDone(dlg),
                 Do([&] {
                     const HWND list = FileList(dlg);
                     for (int row = 0; row < RowCount(list); ++row)
                         listed.push_back(ItemText(list, row, 0) + "," + Utf8Of(ItemText(list, row, 1)));
                 }),
                 Close(dlg),
             },
             60000);
    ASSERT_GT(listed.size(), 1u) << "the demonstration service lists files";
    EXPECT_EQ(Lines(text), listed);
    EXPECT_TRUE(text.ends_with("\r\n"));
}
