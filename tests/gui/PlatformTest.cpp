#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "export/UserOutput.h"
#include "export/Clipboard.h"
#include "framework/FileFind.h"
#include "gui/TestServices.h"
#include "scan/SfcFileProtection.h"
#include "platform/TextConversion.h"

TEST(WidePath, ConvertsPathsOfAnyLengthWhole)
{
    std::string longPath = "C:\\WINDOWS";
    while (longPath.size() < 300)
        longPath += "\\deeper";
    const std::wstring wide = WideText(longPath);
    ASSERT_EQ(wide.size(), longPath.size());
    EXPECT_EQ(AnsiText(wide.c_str()), longPath);
    EXPECT_TRUE(WideText("").empty());
    EXPECT_EQ(AnsiText(L""), "");
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
    ASSERT_EQ(clipboard.SetText(nullptr, text), 0u);
    ASSERT_TRUE(::OpenClipboard(nullptr));
    const auto* wide = static_cast<const wchar_t*>(::GlobalLock(::GetClipboardData(CF_UNICODETEXT)));
    const auto* ansi = static_cast<const char*>(::GlobalLock(::GetClipboardData(CF_TEXT)));
    EXPECT_EQ(std::wstring(wide ? wide : L""), L"C:\\WINDOWS\\caf\u00e9.dll");
    EXPECT_EQ(std::string(ansi ? ansi : ""), text);
    ::CloseClipboard();
}

namespace {

// Holds the clipboard open on a thread of its own, as another program may,
// until told to let go.
class ClipboardHolder {
public:
    ClipboardHolder()
        : m_holding(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          m_letGo(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          m_thread(::CreateThread(nullptr, 0, Hold, this, 0, nullptr))
    {
        ::WaitForSingleObject(m_holding, 10000);
    }
    ~ClipboardHolder()
    {
        LetGo();
        for (const HANDLE handle : {m_thread, m_holding, m_letGo})
            ::CloseHandle(handle);
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    // Returns once the clipboard is free again.
    void LetGo() const
    {
        ::SetEvent(m_letGo);
        ::WaitForSingleObject(m_thread, 10000);
    }

private:
    static DWORD WINAPI Hold(LPVOID self)
    {
        const auto& holder = *static_cast<ClipboardHolder*>(self);
        const HWND window = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        const BOOL opened = ::OpenClipboard(window);
        ::SetEvent(holder.m_holding);
        ::WaitForSingleObject(holder.m_letGo, 60000);
        if (opened)
            ::CloseClipboard();
        ::DestroyWindow(window);
        return 0;
    }

    HANDLE m_holding;
    HANDLE m_letGo;
    HANDLE m_thread;
};

}  // namespace

TEST(WindowsClipboard, WaitsForAnotherHolderToLetGoAndSaysWhyWhenItNeverDoes)
{
    for (const int letGoAfter : {2, 0}) {
        const ClipboardHolder holder;
        int waits = 0;
        WindowsClipboard clipboard([&] {
            if (++waits == letGoAfter)
                holder.LetGo();
        });
        const unsigned error = clipboard.SetText(nullptr, "C:\\WINDOWS\\a.dll");
        if (letGoAfter) {
            EXPECT_EQ(error, 0u);
            EXPECT_EQ(waits, letGoAfter);
        } else {
            EXPECT_NE(error, 0u);
            EXPECT_EQ(waits, WindowsClipboard::kOpenAttempts - 1);
        }
    }
}

TEST(WriteToUser, AConsoleGetsTheTextAsUnicode)
{
    // A console of this process's own, in place of its standard error.
    ::FreeConsole();
    ASSERT_TRUE(::AllocConsole());
    const HANDLE console = ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr);
    const HANDLE standardError = ::GetStdHandle(STD_ERROR_HANDLE);
    ::SetStdHandle(STD_ERROR_HANDLE, console);
    CONSOLE_SCREEN_BUFFER_INFO before{};
    ::GetConsoleScreenBufferInfo(console, &before);

    // ł is in no ANSI code page of the tests' locales, é not in the console's.
    WriteToUser(L"ta\u0142\u00e9", true);

    wchar_t shown[4] = {};
    DWORD read = 0;
    ::ReadConsoleOutputCharacterW(console, shown, 4, before.dwCursorPosition, &read);
    ::SetStdHandle(STD_ERROR_HANDLE, standardError);
    ::CloseHandle(console);
    ::FreeConsole();
    EXPECT_EQ(std::wstring(shown, read), L"ta\u0142\u00e9");
}
