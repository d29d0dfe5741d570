// A demonstration protection service for trying Vorlane under Wine, whose
// own service protects nothing: every file in the system directory and below
// it counts as protected. `tools/run.sh --demo` puts it in place of the
// system's sfc.dll in a Wine prefix of its own.
#include <windows.h>

#include <sfc.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::wstring SystemDirectory()
{
    WCHAR directory[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(directory, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(directory, length) : std::wstring();
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return std::wstring();
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(length < size ? length : 0);
    return full;
}

std::wstring UpperCase(const std::wstring& text)
{
    if (text.empty())
        return text;
    std::wstring upper(text.size(), L'\0');
    const int length = ::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
                                      upper.data(), static_cast<int>(upper.size()));
    upper.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return upper;
}

bool IsUnderSystemDirectory(const std::wstring& path)
{
    const std::wstring directory = SystemDirectory();
    if (directory.empty())
        return false;
    // Resolves "." and "..", and slashes written either way.
    const std::wstring full = UpperCase(FullPath(path));
    const std::wstring prefix = UpperCase(directory) + L'\\';
    return full.size() > prefix.size() && full.compare(0, prefix.size(), prefix) == 0;
}

void AddFilesBelow(const std::wstring& directory, std::vector<std::wstring>& files)
{
    WIN32_FIND_DATAW entry;
    const HANDLE hFind = ::FindFirstFileW((directory + L"\\*").c_str(), &entry);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = directory + L'\\' + name;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(path);
        else if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            AddFilesBelow(path, files);
    } while (::FindNextFileW(hFind, &entry));
    ::FindClose(hFind);
}

// Every file below the system directory whose path fits the service's
// record, sorted without regard to case. Taken once, at the first request,
// so that the numbers handed out keep naming the same files.
const std::vector<std::wstring>& ProtectedFiles()
{
    static const std::vector<std::wstring> files = [] {
        std::vector<std::wstring> found;
        const std::wstring directory = SystemDirectory();
        if (!directory.empty())
            AddFilesBelow(directory, found);
        std::erase_if(found, [](const std::wstring& path) { return path.size() >= MAX_PATH; });
        std::vector<std::pair<std::wstring, std::wstring>> keyed;
        keyed.reserve(found.size());
        for (auto& path : found)
            keyed.emplace_back(UpperCase(path), std::move(path));
        std::sort(keyed.begin(), keyed.end());
        std::vector<std::wstring> sorted;
        sorted.reserve(keyed.size());
        for (auto& [key, path] : keyed)
            sorted.push_back(std::move(path));
        return sorted;
    }();
    return files;
}

}  // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI SfcIsFileProtected(HANDLE, LPCWSTR ProtFileName)
{
    if (!ProtFileName) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!IsUnderSystemDirectory(ProtFileName)) {
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

// FileNumber is the cursor: 0 before the first call; each call returns the
// file it numbers and moves it on to the next.
__declspec(dllexport) BOOL WINAPI SfcGetNextProtectedFile(HANDLE, PPROTECTED_FILE_DATA ProtFileData)
{
    if (!ProtFileData) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::vector<std::wstring>& files = ProtectedFiles();
    if (ProtFileData->FileNumber >= files.size()) {
        ::SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    const std::wstring& path = files[ProtFileData->FileNumber];
    path.copy(ProtFileData->FileName, path.size());
    ProtFileData->FileName[path.size()] = L'\0';
    ++ProtFileData->FileNumber;
    return TRUE;
}

}
