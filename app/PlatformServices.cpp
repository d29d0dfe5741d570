#include "app/PlatformServices.h"

#include "scan/FindFileDirectorySearch.h"
#include "scan/SfcFileProtection.h"
#include "scan/WindowsSystemInfo.h"

PlatformServices& PlatformServices::Production()
{
    static SfcFileProtection protection;
    static FindFileDirectorySearch directories;
    static WindowsSystemInfo system;
    static PlatformServices services{protection, directories, system};
    return services;
}
