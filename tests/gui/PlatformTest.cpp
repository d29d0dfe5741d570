#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/Clipboard.h"
#include "framework/FileFind.h"
#include "gui/TestServices.h"
#include "scan/SfcFileProtection.h"
#include "scan/WidePath.h"

TEST(WidePath, ConvertsPathsOfAnyLengthWhole)
{
    std::string longPath = "C:\\WINDOWS";
    while (longPath.size() < 300)
        longPath += "\\deeper";
    const std::wstring wide = WidePath(longPath);
    ASSERT_EQ(wide.size(), longPath.size());
    EXPECT_EQ(AnsiPath(wide.c_str()), longPath);
    EXPECT_TRUE(WidePath("").empty());
    EXPECT_EQ(AnsiPath(L""), "");
}

TEST(SfcFileProtection, NeverLoadsAnSfcDllPlantedBesideTheProgram)
{
    char programPath[MAX_PATH];
    ::GetModuleFileNameA(nullptr, programPath, MAX_PATH);
    std::string planted = programPath;
    planted = planted.substr(0, planted.rfind('\\')) + "\\sfc.dll";
    ASSERT_NE(::GetFileAttributesA(planted.c_str()), INVALID_FILE_ATTRIBUTES) << planted;

    SfcFileProtection protection(DllLoader::System());
    std::uint32_t cursor = 0;
    std::string path;
    // The planted library would answer forever; a real service ends its list.
    for (int answers = 0; answers < 100000 && protection.NextProtectedFile(cursor, path); ++answers)
        ASSERT_NE(path, "C:\\planted.dll");

    if (const HMODULE loaded = ::GetModuleHandleA("sfc.dll")) {
        char loadedPath[MAX_PATH];
        ::GetModuleFileNameA(loaded, loadedPath, MAX_PATH);
        char systemDirectory[MAX_PATH];
        ::GetSystemDirectoryA(systemDirectory, MAX_PATH);
        EXPECT_EQ(::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, loadedPath,
                                   static_cast<int>(std::strlen(systemDirectory)), systemDirectory, -1),
                  CSTR_EQUAL)
            << loadedPath;
    }
    // The planted library would call this file protected.
    EXPECT_EQ(protection.IsFileProtected(planted), false);
}

TEST(FileFind, SaysWhetherAnotherEntryFollowsTheCurrentOne)
{
    TempTree tree;
    tree.AddFile("one.txt");
    tree.AddFile("sub\\two.txt");
    CFileFind finder;
    ASSERT_TRUE(finder.FindFile((tree.Root() + "\\*.*").c_str()));
    std::vector<std::string> names;
    for (BOOL more = TRUE; more;) {
        more = finder.FindNextFile();
        const std::string name = names.emplace_back(finder.GetFileName().str());
        EXPECT_EQ(finder.IsDirectory() != 0, name != "one.txt") << name;
    }
    // ".", "..", one.txt and sub: the last call said no entry follows.
    EXPECT_EQ(names.size(), 4u);
    EXPECT_FALSE(finder.FindFile((tree.Root() + "\\missing\\*.*").c_str()));
}

TEST(WindowsClipboard, HoldsTheTextAsUnicodeAndAsAnsi)
{
    // é in the ANSI code page of the tests' locale.
    const std::string text = "C:\\WINDOWS\\caf\xE9.dll";
    WindowsClipboard clipboard;
    ASSERT_TRUE(clipboard.SetText(nullptr, text));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    const auto* wide = static_cast<const wchar_t*>(::GlobalLock(::GetClipboardData(CF_UNICODETEXT)));
    const auto* ansi = static_cast<const char*>(::GlobalLock(::GetClipboardData(CF_TEXT)));
    EXPECT_EQ(std::wstring(wide ? wide : L""), L"C:\\WINDOWS\\caf\u00e9.dll");
    EXPECT_EQ(std::string(ansi ? ansi : ""), text);
    ::CloseClipboard();
}
