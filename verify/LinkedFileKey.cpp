#include "verify/LinkedFileKey.h"

namespace {

constexpr int kFileStandardInformation = 5;

struct StatusBlock {
    void* status;
    ULONG_PTR information;
};

struct StandardInformation {
    LARGE_INTEGER allocationSize;
    LARGE_INTEGER endOfFile;
    ULONG numberOfLinks;
    BOOLEAN deletePending;
    BOOLEAN directory;
};

std::uint64_t Joined(DWORD high, DWORD low)
{
    return std::uint64_t{high} << 32 | low;
}

}  // namespace

std::optional<FileKey> LinkedFileKey(HANDLE file, NtQueryInformationFileFunction query)
{
    if (query) {
        StatusBlock status{};
        StandardInformation standard{};
        if (query(file, &status, &standard, sizeof standard, kFileStandardInformation) >= 0 &&
            standard.numberOfLinks <= 1)
            return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION information;
    if (!::GetFileInformationByHandle(file, &information) || information.nNumberOfLinks <= 1)
        return std::nullopt;
    return FileKey{information.dwVolumeSerialNumber, Joined(information.nFileIndexHigh, information.nFileIndexLow),
                   Joined(information.ftLastWriteTime.dwHighDateTime, information.ftLastWriteTime.dwLowDateTime),
                   Joined(information.nFileSizeHigh, information.nFileSizeLow)};
}
