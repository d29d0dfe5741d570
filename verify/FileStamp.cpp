#include "verify/FileStamp.h"

std::optional<FileStamp> StampOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return FileStamp{data.ftLastWriteTime, static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow};
}
