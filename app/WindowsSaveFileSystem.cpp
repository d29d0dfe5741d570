#include "app/WindowsSaveFileSystem.h"

#include <algorithm>

#include "framework/Afx.h"

unsigned WindowsSaveFileSystem::CreateTemporaryFile(const std::string& directory, std::string& path)
{
    char name[MAX_PATH];
    if (!::GetTempFileNameA(directory.empty() ? "." : directory.c_str(), "vor", 0, name))
        return ::GetLastError();
    path = name;
    return 0;
}

unsigned WindowsSaveFileSystem::WriteAndFlush(const std::string& path, std::string_view bytes)
{
    const HANDLE file =
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError();
    unsigned error = 0;
    for (std::size_t at = 0; at < bytes.size() && !error;) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1 << 20));
        if (!::WriteFile(file, bytes.data() + at, chunk, &written, nullptr) || written == 0) {
            error = ::GetLastError();
            if (!error)
                error = ERROR_WRITE_FAULT;
        }
        at += written;
    }
    if (!error && !::FlushFileBuffers(file))
        error = ::GetLastError();
    if (!::CloseHandle(file) && !error)
        error = ::GetLastError();
    return error;
}

unsigned WindowsSaveFileSystem::Replace(const std::string& from, const std::string& to)
{
    if (!::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ::GetLastError();
    return 0;
}

void WindowsSaveFileSystem::Delete(const std::string& path)
{
    ::DeleteFileA(path.c_str());
}

std::string SystemErrorText(unsigned code)
{
    char* text = nullptr;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "Error " + std::to_string(code) + ".";
    ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}
