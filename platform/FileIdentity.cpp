#include "platform/FileIdentity.h"

#include "platform/LastError.h"

unsigned IdentityOf(HANDLE file, FileIdentity& identity)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (!::GetFileInformationByHandle(file, &information))
        return LastErrorOr(ERROR_INVALID_HANDLE);
    identity.volume = information.dwVolumeSerialNumber;
    identity.index = std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow;
    return 0;
}
