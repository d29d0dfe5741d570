#include "app/PlatformServices.h"

#include "controls/ShellExecuteShell.h"
#include "scan/FindFileDirectorySearch.h"
#include "scan/SfcFileProtection.h"
#include "scan/WindowsSystemInfo.h"

PlatformServices& PlatformServices::Production()
{
    static SfcFileProtection protection;
    static FindFileDirectorySearch directories;
    static WindowsSystemInfo system;
    static ShellExecuteShell shell;
    static PlatformServices services{protection, directories, system, shell};
    return services;
}
