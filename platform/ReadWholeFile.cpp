#include "platform/ReadWholeFile.h"

#include <algorithm>
#include <new>

unsigned ReadWholeFile(HANDLE file, std::string& bytes)
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file, &size))
        return ::GetLastError();
    if (static_cast<unsigned long long>(size.QuadPart) > kMaxWholeFileBytes)
        return ERROR_FILE_TOO_LARGE;
    std::string read;
    try {
        read.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    // A file that grows meanwhile is read as far as it was long; one that
    // shrinks, as far as it goes.
    std::size_t done = 0;
    while (done < read.size()) {
        DWORD got = 0;
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(read.size() - done, 1u << 24));
        if (!::ReadFile(file, read.data() + done, ask, &got, nullptr))
            return ::GetLastError();
        if (got == 0)
            break;
        done += got;
    }
    read.resize(done);
    bytes = std::move(read);
    return 0;
}

unsigned ReadStreamToEnd(HANDLE stream, std::string& bytes)
{
    std::string read;
    char chunk[1 << 16];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(stream, chunk, sizeof chunk, &got, nullptr)) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_BROKEN_PIPE)
                break;
            return error;
        }
        if (got == 0)
            break;
        if (read.size() + got > kMaxWholeFileBytes)
            return ERROR_FILE_TOO_LARGE;
        try {
            read.append(chunk, got);
        } catch (const std::bad_alloc&) {
            return ERROR_NOT_ENOUGH_MEMORY;
        }
    }
    bytes = std::move(read);
    return 0;
}
