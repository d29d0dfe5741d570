#include "app/PlatformServices.h"

#include "app/VersionResourceDescriptions.h"

#include "controls/ShellExecuteShell.h"
#include "export/Clipboard.h"
#include "export/StandardStreams.h"
#include "export/WindowsSaveFileSystem.h"
#include "framework/DllLoader.h"
#include "platform/ThreadStarter.h"
#include "inspect/CommonFileDialogs.h"
#include "inspect/VersionDllSource.h"
#include "scan/FindFileDirectorySearch.h"
#include "scan/SfcFileProtection.h"
#include "scan/SystemInfo.h"
#include "scan/WindowsSystemInfo.h"
#include "platform/Wow64Redirection.h"
#include "verify/WinTrustService.h"

PlatformServices& PlatformServices::Production()
{
    // Never destroyed: a worker left blocked in the protection service when
    // the dialog closed may still use them while the process exits.
    static PlatformServices& services = []() -> PlatformServices& {
        DllLoader& loader = DllLoader::System();
        auto& redirection = *new Wow64Redirection(loader);
        auto& system = *new WindowsSystemInfo;
        // The shell runs in this process: under WOW64 from Vista on it
        // reaches System32 through Sysnative.
        const bool throughSysnative = redirection.Active() && system.MajorVersion() >= 6;
        auto& versions = *new VersionDllSource(loader, redirection);
        return *new PlatformServices{
            .protection = *new SfcFileProtection(loader),
            .directories = *new FindFileDirectorySearch(redirection),
            .system = system,
            .versions = versions,
            .fileDialogs = CommonFileDialogs::System(),
            .shell = *new ShellExecuteShell(throughSysnative ? system.WindowsDirectory() : ""),
            .redirection = redirection,
            .clipboard = *new WindowsClipboard,
            .files = *new WindowsSaveFileSystem,
            .streams = StandardStreams::System(),
            .threads = ThreadStarter::System(),
            .trust = *new WinTrustService(loader, redirection, *new VersionResourceDescriptions(versions)),
        };
    }();
    return services;
}
