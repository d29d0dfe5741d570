#include "app/PlatformServices.h"

#include "inspect/CommonFileDialogs.h"
#include "inspect/VersionDllSource.h"
#include "controls/ShellExecuteShell.h"
#include "scan/FindFileDirectorySearch.h"
#include "scan/SfcFileProtection.h"
#include "scan/WindowsSystemInfo.h"

PlatformServices& PlatformServices::Production()
{
    static SfcFileProtection protection;
    static FindFileDirectorySearch directories;
    static WindowsSystemInfo system;
    static VersionDllSource versions;
    static ShellExecuteShell shell;
    static PlatformServices services{protection, directories, system, versions, CommonFileDialogs::System(), shell};
    return services;
}
