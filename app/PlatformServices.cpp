#include "app/PlatformServices.h"

#include "controls/ShellExecuteShell.h"
#include "export/Clipboard.h"
#include "export/WindowsSaveFileSystem.h"
#include "framework/DllLoader.h"
#include "framework/WorkerThreads.h"
#include "inspect/CommonFileDialogs.h"
#include "inspect/VersionDllSource.h"
#include "scan/FindFileDirectorySearch.h"
#include "scan/SfcFileProtection.h"
#include "scan/SystemInfo.h"
#include "scan/WindowsSystemInfo.h"
#include "scan/Wow64Redirection.h"
#include "verify/WinTrustService.h"

PlatformServices& PlatformServices::Production()
{
    // Never destroyed: a worker left blocked in the protection service when
    // the dialog closed may still use them while the process exits.
    static PlatformServices& services = []() -> PlatformServices& {
        DllLoader& loader = DllLoader::System();
        auto& redirection = *new Wow64Redirection(loader);
        return *new PlatformServices{*new SfcFileProtection(loader),
                                     *new FindFileDirectorySearch(redirection),
                                     *new WindowsSystemInfo,
                                     *new VersionDllSource(loader, redirection),
                                     CommonFileDialogs::System(),
                                     *new ShellExecuteShell,
                                     redirection,
                                     *new WindowsClipboard,
                                     *new WindowsSaveFileSystem,
                                     WorkerThreads::System(),
                                     *new WinTrustService(loader, redirection)};
    }();
    return services;
}

std::string SysnativeWindowsDirectory(PlatformServices& services)
{
    const bool throughSysnative = services.redirection.Active() && services.system.MajorVersion() >= 6;
    return throughSysnative ? services.system.WindowsDirectory() : std::string();
}
