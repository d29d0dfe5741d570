#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/VorlaneDlg.h"
#include "gui/DialogDriver.h"
#include "gui/InspectionSteps.h"
#include "gui/MainDialogSteps.h"
#include "gui/Rendering.h"
#include "gui/TestServices.h"
#include "inspect/FileDialog.h"
#include "inspect/VersionSummary.h"
#include "scan/ServiceErrorText.h"


TEST(VersionSummary, ReadsRealBlocksThroughTheVersionLibrary)
{
    const struct {
        const char* fixture;
        const char* expected;
    } table[] = {
        {"version_dpl", kFull},
        {"version_commapl", kFull},
        {"version_pl", "v. 6.1.760.17, Vorlane Fixtures\r\nCopyright (C) Halvory"},
        {"version_dl", "v. 6.1.760.17, Fixture Library\r\nCopyright (C) Halvory"},
        {"version_l", "v. 6.1.760.17, \r\nCopyright (C) Halvory"},
        {"version_dp", "v. 6.1.760.17, Fixture Library, Vorlane Fixtures\r\n"},
        {"version_d", "v. 6.1.760.17, Fixture Library\r\n"},
        {"version_p", "v. 6.1.760.17, Vorlane Fixtures\r\n"},
        {"version_strings_none", "v. 6.1.760.17, \r\n"},
        // An empty text is still reported with its terminator: found.
        {"version_emptyp", "v. 6.1.760.17, Fixture Library, \r\n"},
        {"version_untranslated", "v. 6.1.760.17, \r\n"},
    };
    StandInRedirection redirection;
    VersionDllSource versions{DllLoader::System(), redirection};
    for (const auto& row : table)
        EXPECT_EQ(FormatVersionSummary(versions, Fixture(row.fixture)), row.expected) << row.fixture;
    EXPECT_EQ(FormatVersionSummary(versions, Fixture("version_absent")), std::nullopt);
    EXPECT_EQ(FormatVersionSummary(versions, Fixture("no_such_library")), std::nullopt);
}

TEST(FileDetails, ARowClickShowsTheFileOrSaysItIsNotInstalled)
{
    TestServices test;
    test.protection.listed = {Fixture("version_dpl"), "C:\\nowhere\\missing.dll", Fixture("version_absent"),
                              "C:\\nowhere\\"};
    const struct {
        int row;
        const char* name;
        const char* details;
    } clicks[] = {
        {0, "version_dpl.dll", kFull},
        {1, "File missing.dll is not installed on the system", ""},
        {0, "version_dpl.dll", kFull},
        {2, "version_absent.dll", ""},  // no version resource: the old details go
        {3, "File  is not installed on the system", ""},
    };
    CVorlaneDlg dlg(test.services);
    std::vector<DialogStep> steps{FillDone(dlg)};
    for (const auto& click : clicks) {
        steps.push_back(Do([&dlg, click] { ClickRow(FileList(dlg), click.row); }));
        steps.push_back(Pause());
        steps.push_back(Do([&dlg, click] {
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), click.name) << click.row;
            EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), click.details) << click.row;
        }));
    }
    steps.push_back(Do([&] {
        // A click on no row shows the hot row; only -1 stands for it.
        NotifyClick(dlg, -1);
        EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "");
        ::SendMessageA(FileList(dlg), LVM_SETHOTITEM, 0, 0);
        NotifyClick(dlg, -1);
        EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "version_dpl.dll");
        NotifyClick(dlg, -2);
        EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "");
        EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), "");
    }));
    steps.push_back(Close(dlg));
    RunModal(dlg, steps);
}

TEST(FileDetails, AnAmpersandInAFileNameIsDrawnAsItself)
{
    TempTree tree;
    tree.AddFile("R&D.dll");
    TestServices test;
    test.protection.listed = {tree.Root() + "\\R&D.dll"};
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            NotifyClick(dlg, 0);
            const HWND hName = dlg.GetDlgItem(IDC_FILE_NAME);
            ASSERT_EQ(WindowText(hName), "R&D.dll");
            // The ink ends where "R&D.dll" ends in the line's font, not
            // where "RD.dll" with an underlined D would.
            const HDC hdc = ::GetDC(hName);
            const HGDIOBJ hOld = ::SelectObject(hdc, reinterpret_cast<HGDIOBJ>(::SendMessageA(hName, WM_GETFONT, 0, 0)));
            SIZE whole{};
            SIZE prefixed{};
            ::GetTextExtentPoint32A(hdc, "R&D.dll", 7, &whole);
            ::GetTextExtentPoint32A(hdc, "RD.dll", 6, &prefixed);
            ::SelectObject(hdc, hOld);
            ::ReleaseDC(hName, hdc);
            const RenderedClient pixels(hName, RGB(255, 255, 255));
            const RECT ink = pixels.BoundsOf([](COLORREF pixel) { return GetRValue(pixel) < 128; });
            EXPECT_GT(ink.right, (whole.cx + prefixed.cx) / 2);
        }),
        Close(dlg),
    });
}

TEST(NameSearch, StepsThroughMatchesSelectingOneRowAtATime)
{
    TestServices test;
    test.ListFiles(200);
    test.protection.listed[3] = Fixture("version_dpl");
    test.protection.listed[150] = "C:\\WINDOWS\\system32\\VERSION_unlisted.dll";
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            const HWND list = FileList(dlg);
            // The user's own selection, and the focus in the search text.
            SetRowState(FileList(dlg), 5, LVIS_SELECTED, LVIS_SELECTED);
            ::SetFocus(dlg.GetDlgItem(IDC_SEARCH_TEXT));
            SetText(dlg, IDC_SEARCH_TEXT, "Version_");
            Press(dlg, IDC_SEARCH);
            EXPECT_EQ(State(list, 3), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "version_dpl.dll");
            EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), kFull);

            Press(dlg, IDC_SEARCH);
            EXPECT_EQ(State(list, 3), 0u);
            EXPECT_EQ(State(list, 150), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
            EXPECT_EQ(State(list, 5), static_cast<UINT>(LVIS_SELECTED));
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "File VERSION_unlisted.dll is not installed on the system");
            const int top = static_cast<int>(::SendMessageA(FileList(dlg), LVM_GETTOPINDEX, 0, 0));
            const int perPage = static_cast<int>(::SendMessageA(FileList(dlg), LVM_GETCOUNTPERPAGE, 0, 0));
            EXPECT_LE(top, 150);
            EXPECT_GT(top + perPage, 150);
            EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_SEARCH_TEXT));

            // Past the last match nothing changes, not even the details;
            // another letter case is the same text, which goes on from there.
            NotifyClick(dlg, 0);
            for (const char* text : {"Version_", "VERSION_"}) {
                SetText(dlg, IDC_SEARCH_TEXT, text);
                Press(dlg, IDC_SEARCH);
                EXPECT_EQ(State(list, 150), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED)) << text;
                EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "File file0.dll is not installed on the system") << text;
            }
        }),
        Close(dlg),
    });
}

TEST(Browse, RunsTheOpenDialogAndPutsTheChoiceInThePathField)
{
    TestServices test;
    CVorlaneDlg dlg(test.services);
    HWND owner = nullptr;
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            owner = dlg.m_hWnd;
            test.fileDialogs.chosen = L"C:\\WINDOWS\\system32\\shell32.dll";
            Press(dlg, IDC_BROWSE);
            EXPECT_EQ(Text(dlg, IDC_CHECK_PATH), "C:\\WINDOWS\\system32\\shell32.dll");
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "");

            test.fileDialogs.chosen.clear();  // cancelled
            Press(dlg, IDC_BROWSE);
            EXPECT_EQ(Text(dlg, IDC_CHECK_PATH), "C:\\WINDOWS\\system32\\shell32.dll");
        }),
        Close(dlg),
    });

    ASSERT_EQ(test.fileDialogs.opened.size(), 2u);
    const OPENFILENAMEW& record = test.fileDialogs.opened[0];
    EXPECT_EQ(record.lStructSize, sizeof(OPENFILENAMEW));
    EXPECT_EQ(record.hwndOwner, owner);
    // The current directory stays where it was: a relative path typed later
    // means what it meant.
    EXPECT_EQ(record.Flags, static_cast<DWORD>(OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR));
    EXPECT_EQ(std::wstring(record.lpstrFilter, 21), std::wstring(L"All files (*.*)\0*.*\0\0", 21));
    EXPECT_EQ(record.nMaxFile, static_cast<DWORD>(MAX_PATH));
    EXPECT_EQ(record.nMaxFileTitle, static_cast<DWORD>(MAX_PATH));
    EXPECT_NE(record.lpstrFileTitle, nullptr);
    // No default extension, initial folder, title or filter index: the platform's defaults.
    EXPECT_EQ(record.lpstrDefExt, nullptr);
    EXPECT_EQ(record.lpstrInitialDir, nullptr);
    EXPECT_EQ(record.lpstrTitle, nullptr);
    EXPECT_EQ(record.nFilterIndex, 0u);
    EXPECT_EQ(record.FlagsEx, 0u);
}

TEST(OpenFileDialog, CutsALongInitialNameAndRunsTheSaveDialogWhenAsked)
{
    StandInFileDialogs dialogs;
    CSaveFileDialog save(L"dll", std::wstring(300, L'n').c_str(), 0, nullptr, nullptr, dialogs);
    EXPECT_EQ(save.GetPathName(), std::wstring(MAX_PATH - 1, L'n'));
    EXPECT_EQ(save.RunModal(), IDCANCEL);
    ASSERT_EQ(dialogs.saved.size(), 1u);
    EXPECT_TRUE(dialogs.opened.empty());
    EXPECT_EQ(dialogs.saved[0].lStructSize, sizeof(OPENFILENAMEW));
    EXPECT_EQ(dialogs.saved[0].hwndOwner, nullptr);
    EXPECT_STREQ(dialogs.saved[0].lpstrDefExt, L"dll");
    EXPECT_EQ(dialogs.saved[0].Flags, static_cast<DWORD>(OFN_EXPLORER));
}

TEST(Check, ShowsTheStatusOfATypedPathOrSaysTheFileDoesNotExist)
{
    const std::string protectedFile = Fixture("version_dpl");
    const std::string plain = Fixture("version_d");
    const std::string directory = plain.substr(0, plain.rfind('\\'));
    std::string slashed = plain;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    const std::string notProtected = "   status: NOT PROTECTED";
    const std::string plainDetails = "v. 6.1.760.17, Fixture Library\r\n";
    const struct {
        std::string typed;
        std::string name;  // "before": the group keeps its text
        std::string details;
        bool box;
    } table[] = {
        {protectedFile, "version_dpl.dll   status: PROTECTED", kFull, false},
        {Fixture("version_absent"), "version_absent.dll" + notProtected, "", false},
        // Only the backslash separates: the whole text is the name.
        {slashed, slashed + notProtected, plainDetails, false},
        {"version_d.dll", "version_d.dll" + notProtected, plainDetails, false},  // relative
        {"", "before", "before", false},
        {"C:\\nowhere\\missing.dll", "before", "before", true},
        {directory + "\\", "before", "before", true},
        {"\"" + plain + "\"", "before", "before", true},
        {directory + "\\version_?.dll", "before", "before", true},
        {directory + "\\*.dll", "before", "before", true},
        {"CON", "before", "before", true},
        {"NUL", "before", "before", true},
        {"   ", "before", "before", true},
        {directory + "\\" + std::string(300, 'a') + ".dll", "before", "before", true},
    };
    TestServices test;
    test.protection.isProtected = [&](const std::string& path) { return path == protectedFile; };
    CVorlaneDlg dlg(test.services);
    char previous[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ::SetCurrentDirectoryA(directory.c_str());
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            for (const auto& row : table) {
                SetText(dlg, IDC_FILE_NAME, "before");
                SetText(dlg, IDC_FILE_DETAILS, "before");
                SetText(dlg, IDC_CHECK_PATH, row.typed.c_str());
                const auto boxes = PressAnsweringBoxes(dlg, IDC_CHECK);
                EXPECT_EQ(Text(dlg, IDC_FILE_NAME), row.name) << row.typed;
                EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), row.details) << row.typed;
                ASSERT_EQ(boxes.size(), row.box ? 1u : 0u) << row.typed;
                if (row.box) {
                    EXPECT_EQ(boxes[0].text, "Selected file does not exist.");
                    EXPECT_EQ(boxes[0].caption, "Vorlane");
                    EXPECT_TRUE(boxes[0].exclamation);
                }
            }
            // Characters outside the code page reach the program as "?".
            ::SetWindowTextW(dlg.GetDlgItem(IDC_CHECK_PATH), L"C:\\\x0444\x0430\x0439\x043b.dll");
            EXPECT_EQ(PressAnsweringBoxes(dlg, IDC_CHECK).size(), 1u);
        }),
        Close(dlg),
    });
    ::SetCurrentDirectoryA(previous);
    // The service is asked with the path exactly as typed.
    EXPECT_EQ(test.protection.asked,
              (std::vector<std::string>{protectedFile, Fixture("version_absent"), slashed, "version_d.dll"}));
}

TEST(Check, WithoutTheServiceSaysTheFileCouldNotBeChecked)
{
    const std::string file = Fixture("version_dpl");
    TestServices test;
    test.protection.serviceError = ERROR_PROC_NOT_FOUND;
    CVorlaneDlg dlg(test.services);
    std::vector<MessageBoxSeen> boxes;
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            SetText(dlg, IDC_FILE_NAME, "before");
            SetText(dlg, IDC_CHECK_PATH, file.c_str());
            boxes = PressAnsweringBoxes(dlg, IDC_CHECK);
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "before");
        }),
        Close(dlg),
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Vorlane could not check whether " + file + " is protected.\r\n\r\n" +
                                 ServiceErrorText(ERROR_PROC_NOT_FOUND));
    EXPECT_TRUE(boxes[0].exclamation);
    EXPECT_TRUE(test.protection.asked.empty());
}

TEST(NameSearch, ASearchDuringTheFillSeesWholeRows)
{
    TestServices test;
    GatedProtection endless(GatedProtection::kEndless);
    PlatformServices services = test.With(endless);
    CVorlaneDlg dlg(services);
    RunModal(dlg, {
        Do([&] { endless.Release(600); }),
        [&] { return RowCount(FileList(dlg)) == 600; },
        Do([&] {
            // Rows go on arriving as fast as they come.
            endless.Open();
            SetText(dlg, IDC_SEARCH_TEXT, "FILE49");
            Press(dlg, IDC_SEARCH);
            EXPECT_EQ(State(FileList(dlg), 49), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "File file49.dll is not installed on the system");
            Press(dlg, IDC_SEARCH);
            EXPECT_EQ(State(FileList(dlg), 490), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "File file490.dll is not installed on the system");
        }),
        Close(dlg),
    });
}
