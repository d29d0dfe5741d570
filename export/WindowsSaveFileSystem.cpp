#include "export/WindowsSaveFileSystem.h"

#include <algorithm>

#include "framework/Handle.h"
#include "platform/LastError.h"

namespace {

// Writes all of `bytes` through `file` and has them on the disk.
unsigned WriteAll(HANDLE file, std::string_view bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1 << 20));
        if (!::WriteFile(file, bytes.data() + at, chunk, &written, nullptr) || written == 0)
            return LastErrorOr(ERROR_WRITE_FAULT);
        at += written;
    }
    return ::FlushFileBuffers(file) ? 0 : ::GetLastError();
}

}  // namespace

bool WindowsSaveFileSystem::Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

unsigned WindowsSaveFileSystem::CheckReplaceable(const std::wstring& path)
{
    // Replacing renames the old file: that needs the right to delete it,
    // and every program that has it open must share that.
    const CHandle file(::CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
    return file ? 0 : LastErrorOr(ERROR_ACCESS_DENIED);
}

unsigned WindowsSaveFileSystem::WriteNewFile(const std::wstring& directory, std::string_view bytes,
                                             std::wstring& path)
{
    // GetTempFileName only makes up the name when given a number of ours;
    // CREATE_NEW then takes it only if nobody has it.
    const std::wstring folder = directory.empty() ? L"." : directory;
    HANDLE file = INVALID_HANDLE_VALUE;
    WCHAR name[MAX_PATH];
    for (UINT unique = (::GetTickCount() ^ ::GetCurrentProcessId()) & 0xFFFF, tries = 0; tries < 0x10000;
         ++tries, unique = (unique + 1) & 0xFFFF) {
        if (!::GetTempFileNameW(folder.c_str(), L"vor", unique ? unique : 1, name))
            return ::GetLastError();
        file = ::CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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

unsigned WindowsSaveFileSystem::Replace(const std::wstring& from, const std::wstring& to)
{
    // The new file takes over the old one's security, attributes and
    // creation time. Wine's ReplaceFile keeps no attributes: they are set
    // again, to the same effect on Windows.
    const DWORD attributes = ::GetFileAttributesW(to.c_str());
    if (!::ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_WRITE_THROUGH, nullptr, nullptr))
        return LastErrorOr(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        ::SetFileAttributesW(to.c_str(), attributes);
    return 0;
}

unsigned WindowsSaveFileSystem::Move(const std::wstring& from, const std::wstring& to)
{
    return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : LastErrorOr(ERROR_WRITE_FAULT);
}

void WindowsSaveFileSystem::Delete(const std::wstring& path)
{
    ::DeleteFileW(path.c_str());
}
