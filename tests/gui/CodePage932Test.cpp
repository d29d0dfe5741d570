// Run in a Japanese locale, where the ANSI code page is 932 (Shift-JIS):
// the second byte of a double-byte character may be a backslash.
#include <gtest/gtest.h>

#include <string>

#include "gui/DialogDriver.h"
#include "gui/InspectionSteps.h"
#include "gui/MainDialogSteps.h"
#include "gui/TestServices.h"

TEST(CodePage932, PathsSplitAtBackslashCharactersOnly)
{
    ASSERT_EQ(::GetACP(), 932u) << "this test runs in the ja_JP.UTF-8 locale";
    // 表 is 95 5C.
    const std::string table = "\x95\x5C";
    TempTree tree;
    const std::string windows = tree.Root() + "\\" + table;
    const std::string file = windows + "\\" + table + ".dll";
    ASSERT_TRUE(::CreateDirectoryA(windows.c_str(), nullptr));
    ASSERT_TRUE(::CopyFileA(Fixture("version_dpl").c_str(), file.c_str(), FALSE));

    TestServices test;
    test.system.majorVersion = 6;
    test.system.windowsDirectory = windows;
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            // The walk of a Windows folder whose name ends in 表.
            ASSERT_EQ(RowCount(FileList(dlg)), 1);
            EXPECT_EQ(ItemText(FileList(dlg), 0, 1), file);
            NotifyClick(dlg, 0);
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), table + ".dll");
            EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), kFull);

            NotifyClick(dlg, -2);
            SetText(dlg, IDC_SEARCH_TEXT, table.c_str());
            Press(dlg, IDC_SEARCH);
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), table + ".dll");

            SetText(dlg, IDC_CHECK_PATH, file.c_str());
            EXPECT_TRUE(PressAnsweringBoxes(dlg, IDC_CHECK).empty());
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), table + ".dll   status: PROTECTED");
        }),
        Close(dlg),
    });
}
