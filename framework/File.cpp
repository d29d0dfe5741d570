#include "framework/File.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// The system's answer from a call that fills a buffer of the size it is
// given and says how much it needs; empty on failure.
template <class Text = std::string, class Fill>
Text Filled(Fill fill)
{
    Text text(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
        if (length == 0)
            return {};
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(length);
    }
}

std::string FullPathName(LPCSTR path)
{
    return Filled([path](LPSTR buffer, DWORD size) { return ::GetFullPathNameA(path, size, buffer, nullptr); });
}

// Reserved names such as CON or NUL stand for devices wherever they are
// written; the system resolves them to \\.\NAME.
bool NamesDevice(LPCSTR path)
{
    return FullPathName(path).compare(0, 4, "\\\\.\\") == 0;
}

}  // namespace

std::wstring FullPath(const std::wstring& path)
{
    const auto full = Filled<std::wstring>(
        [&path](LPWSTR buffer, DWORD size) { return ::GetFullPathNameW(path.c_str(), size, buffer, nullptr); });
    if (full.empty())
        return path;
    std::vector<std::size_t> ends{full.size()};
    for (std::size_t at = 3; at < full.size(); ++at) {
        if (full[at] == L'\\')
            ends.insert(ends.begin() + 1, at);
    }
    for (const std::size_t end : ends) {
        const std::wstring head = full.substr(0, end);
        const auto longer = Filled<std::wstring>(
            [&head](LPWSTR buffer, DWORD size) { return ::GetLongPathNameW(head.c_str(), buffer, size); });
        if (!longer.empty())
            return longer + full.substr(end);
    }
    return full;
}

BOOL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus)
{
    // A pattern names no one file: "?" or "*" would find some other one. The
    // edit controls also put "?" for characters outside the code page. A
    // device is no file either, though the search finds one.
    if (!lpszFileName || !*lpszFileName || std::strpbrk(lpszFileName, "*?") || NamesDevice(lpszFileName))
        return FALSE;
    WIN32_FIND_DATAA entry;
    const HANDLE hFind = ::FindFirstFileA(lpszFileName, &entry);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    ::FindClose(hFind);
    rStatus.m_attribute = entry.dwFileAttributes;
    rStatus.m_size = static_cast<ULONGLONG>(entry.nFileSizeHigh) << 32 | entry.nFileSizeLow;
    return TRUE;
}
