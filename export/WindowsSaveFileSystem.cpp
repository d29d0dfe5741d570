#include "export/WindowsSaveFileSystem.h"

#include <algorithm>

#include "framework/Afx.h"

namespace {

// Writes all of `bytes` through `file` and has them on the disk.
unsigned WriteAll(HANDLE file, std::string_view bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1 << 20));
        if (!::WriteFile(file, bytes.data() + at, chunk, &written, nullptr) || written == 0) {
            const DWORD error = ::GetLastError();
            return error ? error : ERROR_WRITE_FAULT;
        }
        at += written;
    }
    return ::FlushFileBuffers(file) ? 0 : ::GetLastError();
}

}  // namespace

unsigned WindowsSaveFileSystem::WriteNewFile(const std::string& directory, std::string_view bytes, std::string& path)
{
    // GetTempFileName only makes up the name when given a number of ours;
    // CREATE_NEW then takes it only if nobody has it.
    const std::string folder = directory.empty() ? "." : directory;
    HANDLE file = INVALID_HANDLE_VALUE;
    char name[MAX_PATH];
    for (UINT unique = (::GetTickCount() ^ ::GetCurrentProcessId()) & 0xFFFF, tries = 0; tries < 0x10000;
         ++tries, unique = (unique + 1) & 0xFFFF) {
        if (!::GetTempFileNameA(folder.c_str(), "vor", unique ? unique : 1, name))
            return ::GetLastError();
        file = ::CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || (::GetLastError() != ERROR_FILE_EXISTS &&
                                             ::GetLastError() != ERROR_ALREADY_EXISTS))
            break;
    }
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError();
    path = name;
    unsigned error = WriteAll(file, bytes);
    if (!::CloseHandle(file) && !error)
        error = ::GetLastError();
    return error;
}

unsigned WindowsSaveFileSystem::Replace(const std::string& from, const std::string& to)
{
    if (const DWORD attributes = ::GetFileAttributesA(to.c_str()); attributes != INVALID_FILE_ATTRIBUTES) {
        // The new file takes over the old one's security, attributes and
        // creation time. Wine's ReplaceFile keeps no attributes: they are
        // set again, to the same effect on Windows.
        if (!::ReplaceFileA(to.c_str(), from.c_str(), nullptr, REPLACEFILE_WRITE_THROUGH, nullptr, nullptr))
            return ::GetLastError();
        ::SetFileAttributesA(to.c_str(), attributes);
        return 0;
    }
    if (!::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
        return ::GetLastError();
    return 0;
}

void WindowsSaveFileSystem::Delete(const std::string& path)
{
    ::DeleteFileA(path.c_str());
}
