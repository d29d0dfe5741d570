#include "platform/OpenForReading.h"

CHandle OpenForReading(const std::wstring& path, FileSystemRedirection& redirection, DWORD flags, unsigned& error)
{
    const RedirectionOff redirectionOff(redirection);
    CHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, flags, nullptr));
    // Turning redirection back on may touch the last error.
    error = file ? 0 : ::GetLastError();
    return file;
}
