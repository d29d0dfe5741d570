// A 32-bit build on 64-bit Windows. With a stand-in redirection: it is off
// only to open folders, to look a file up and to read its version, and the
// protection service is asked as the user wrote the path. Under WOW64
// itself (the i686 tests in a 64-bit Wine prefix): a file the 64-bit system
// names is the one read, where WOW64 would give a 32-bit program its twin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/PlatformServices.h"
#include "gui/DialogDriver.h"
#include "gui/InspectionSteps.h"
#include "gui/MainDialogSteps.h"
#include "gui/TestServices.h"
#include "platform/Wow64Redirection.h"
#include "verify/WinTrustService.h"

TEST(Wow64, RedirectionIsOffOnlyToOpenFoldersAndToLookAFileUpAndReadIt)
{
    TempTree windows;
    windows.CopyIn(Fixture("version_dpl"), "a.dll");
    windows.AddFile("System32\\b.dll");

    TestServices test;
    test.redirection.active = true;
    test.system.majorVersion = 6;
    test.system.windowsDirectory = windows.Root();
    test.protection.isProtected = [&](const std::string& path) {
        EXPECT_FALSE(test.redirection.OffOnThisThread()) << path;
        return true;
    };
    const std::string typed = windows.Root() + "\\a.dll";
    CVorlaneDlg dlg(test.services);
    int afterFill = 0;
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            ASSERT_EQ(RowCount(FileList(dlg)), 2);
            // Once for each folder the walk opened: the Windows folder and
            // System32.
            afterFill = test.redirection.turnedOff;
            EXPECT_EQ(afterFill, 2);
            const int aRow = ItemText(FileList(dlg), 0, 1) == typed ? 0 : 1;
            NotifyClick(dlg, aRow);
            EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), kFull);
            // The file looked up, its version's size and its version read.
            EXPECT_EQ(test.redirection.turnedOff, afterFill + 3);
            SetText(dlg, IDC_CHECK_PATH, typed.c_str());
            test.protection.asked.clear();
            EXPECT_TRUE(PressAnsweringBoxes(dlg, IDC_CHECK).empty());
            EXPECT_EQ(test.protection.asked, std::vector<std::string>{typed});
        }),
        Close(dlg),
    });
    EXPECT_FALSE(test.redirection.OffAnywhere());
}

namespace {

bool UnderWow64()
{
    BOOL wow64 = FALSE;
    return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

// The Windows folder by a name WOW64 does not redirect: through the Unix
// root, drive Z:, where the Wine prefix lies.
std::string UnredirectedWindowsFolder()
{
    char prefix[MAX_PATH] = "";
    const DWORD length = ::GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
    std::string folder = "Z:" + std::string(prefix, length < MAX_PATH ? length : 0) + "/drive_c/windows";
    for (char& c : folder)
        c = c == '/' ? '\\' : c;
    return folder;
}

// A file put into the 64-bit System32 and its 32-bit twin into SysWOW64,
// removed again when it goes.
class Twins {
public:
    Twins(const std::string& name, const std::string& native, const std::string& twin)
        : m_native("C:\\windows\\sysnative\\" + name), m_twin("C:\\windows\\syswow64\\" + name)
    {
        ::CopyFileA(native.c_str(), m_native.c_str(), FALSE);
        ::CopyFileA(twin.c_str(), m_twin.c_str(), FALSE);
    }
    ~Twins()
    {
        ::DeleteFileA(m_native.c_str());
        ::DeleteFileA(m_twin.c_str());
    }
    Twins(const Twins&) = delete;
    Twins& operator=(const Twins&) = delete;

private:
    std::string m_native;
    std::string m_twin;
};

}  // namespace

TEST(RealWow64, TheFileThe64BitSystemNamesIsVerifiedHashedAndSummarised)
{
    if (!UnderWow64())
        GTEST_SKIP() << "runs in a 32-bit build on 64-bit Windows (tools/check-wow64.sh, tools/test-i686.sh)";
    Wow64Redirection redirection(DllLoader::System());
    ASSERT_TRUE(redirection.Active());

    // Windows redirects more than System32: regedit.exe in the Windows
    // folder is SysWOW64's to a 32-bit program.
    StandInRedirection none;
    RealVerifier realFiles(DllLoader::System(), none);
    RealVerifier production(DllLoader::System(), redirection);
    const std::string native = VerifiedAlone(realFiles.trust, UnredirectedWindowsFolder() + "\\regedit.exe").sha256;
    const std::string twin = VerifiedAlone(realFiles.trust, UnredirectedWindowsFolder() + "\\syswow64\\regedit.exe").sha256;
    ASSERT_NE(native, twin);
    EXPECT_EQ(VerifiedAlone(production.trust, "C:\\windows\\regedit.exe").sha256, native);

    // Windows XP and Server 2003 (5.2) have no Sysnative: the summary of a
    // System32 file is the 64-bit one's all the same.
    const Twins twins("vorlane-twin.dll", Fixture("version_dpl"), Fixture("version_d"));
    PlatformServices& system = PlatformServices::Production();
    TestServices test;
    test.protection.listed = {"C:\\windows\\system32\\vorlane-twin.dll"};
    PlatformServices services = test.With(system.directories, system.versions, system.redirection, system.trust);
    CVorlaneDlg dlg(services);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            NotifyClick(dlg, 0);
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "vorlane-twin.dll");
            EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), kFull);
        }),
        Close(dlg),
    });
}
