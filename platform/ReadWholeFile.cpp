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
    // Large asks: a pipe gives what it holds at each, and under Wine each
    // read is a trip to the server. The room grows by doubling, so that it
    // is made (and cleared) a few times, not once a read.
    constexpr std::size_t kAsk = 1 << 20;
    std::string read;
    std::size_t done = 0;
    for (;;) {
        if (done > kMaxWholeFileBytes)
            return ERROR_FILE_TOO_LARGE;
        if (read.size() - done < kAsk) {
            try {
                read.resize(std::max(2 * read.size(), done + kAsk));
            } catch (const std::bad_alloc&) {
                return ERROR_NOT_ENOUGH_MEMORY;
            }
        }
        DWORD got = 0;
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(read.size() - done, 1u << 24));
        const bool ok = ::ReadFile(stream, read.data() + done, ask, &got, nullptr);
        done += got;
        if (!ok) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_BROKEN_PIPE)
                break;
            return error;
        }
        if (got == 0)
            break;
    }
    read.resize(done);
    bytes = std::move(read);
    return 0;
}
