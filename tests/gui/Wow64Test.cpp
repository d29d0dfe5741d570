// A 32-bit build on 64-bit Windows, played by a stand-in redirection: the
// walk sees the real System32, and the dialog reads System32's files
// through Sysnative while the rows keep the System32 spelling.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/DialogDriver.h"
#include "gui/InspectionSteps.h"
#include "gui/MainDialogSteps.h"
#include "gui/TestServices.h"

namespace {

// Reads version blocks, and fails the test when one is read with
// redirection off.
class CheckedVersions final : public VersionSource {
public:
    CheckedVersions(VersionSource& source, const StandInRedirection& redirection)
        : m_source(source), m_redirection(redirection)
    {
    }
    std::uint32_t BlockSize(const std::string& path) override
    {
        EXPECT_FALSE(m_redirection.OffOnThisThread()) << path;
        return m_source.BlockSize(path);
    }
    std::size_t ReadBlock(const std::string& path, std::span<unsigned char> block) override
    {
        return m_source.ReadBlock(path, block);
    }
    bool QueryValue(std::span<unsigned char> block, const std::string& subBlock, const void*& value,
                    std::uint32_t& length) override
    {
        return m_source.QueryValue(block, subBlock, value, length);
    }

private:
    VersionSource& m_source;
    const StandInRedirection& m_redirection;
};

}  // namespace

TEST(Wow64, RedirectionIsOffOnlyToOpenFoldersAndSystem32IsReadThroughSysnative)
{
    // The Windows folder. As a 32-bit program sees it, System32\a.dll is an
    // empty file; the real one, reached through Sysnative, has a version.
    TempTree windows;
    windows.AddFile("System32\\a.dll");
    windows.AddFile("Sysnative\\placeholder");
    windows.CopyIn(Fixture("version_dpl"), "Sysnative\\a.dll");
    windows.CopyIn(Fixture("version_dpl"), "Sysnative\\native-only.dll");
    windows.AddFile("c.dll");

    TestServices test;
    test.redirection.active = true;
    test.system.majorVersion = 6;
    test.system.windowsDirectory = windows.Root();
    const std::string system32 = windows.Root() + "\\System32\\";
    test.protection.isProtected = [&](const std::string& path) {
        EXPECT_FALSE(test.redirection.OffOnThisThread()) << path;
        return path.ends_with(".dll") && path.find("\\Sysnative\\") == std::string::npos;
    };
    CheckedVersions versions(test.versions, test.redirection);
    PlatformServices services = test.services;
    PlatformServices checked{services.protection, services.directories, services.system,
                             versions,            services.fileDialogs, services.shell,
                             services.redirection, services.clipboard,  services.files,
                             services.threads,    services.trust,       services.hasher};
    CVorlaneDlg dlg(checked);
    RunModal(dlg, {
        FillDone(dlg),
        Do([&] {
            ASSERT_EQ(RowCount(FileList(dlg)), 2);
            const int aRow = ItemText(FileList(dlg), 0, 1) == system32 + "a.dll" ? 0 : 1;
            EXPECT_EQ(ItemText(FileList(dlg), 1 - aRow, 1), windows.Root() + "\\c.dll");
            NotifyClick(dlg, aRow);
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "a.dll");
            EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), kFull);

            // However the path to System32 is written, it is System32.
            char shortRoot[MAX_PATH] = "";
            ::GetShortPathNameA(windows.Root().c_str(), shortRoot, MAX_PATH);
            std::string slashed = windows.Root() + "\\System32\\native-only.dll";
            std::replace(slashed.begin(), slashed.end(), '\\', '/');
            for (const std::string& typed : {windows.Root() + "\\system32\\native-only.dll", slashed,
                                             windows.Root() + "\\System32\\.\\native-only.dll",
                                             windows.Root() + "\\c.dll\\..\\System32\\native-only.dll",
                                             std::string(shortRoot) + "\\System32\\native-only.dll"}) {
                SetText(dlg, IDC_CHECK_PATH, typed.c_str());
                test.protection.asked.clear();
                EXPECT_TRUE(PressAnsweringBoxes(dlg, IDC_CHECK).empty()) << typed;
                EXPECT_EQ(test.protection.asked, std::vector<std::string>{typed});
                EXPECT_EQ(Text(dlg, IDC_FILE_DETAILS), kFull) << typed;
            }
        }),
        Close(dlg),
    });
    // Once for each folder the walk opened: the Windows folder, System32 and
    // Sysnative; and never left off.
    EXPECT_EQ(test.redirection.turnedOff, 3);
    EXPECT_FALSE(test.redirection.OffAnywhere());
}
