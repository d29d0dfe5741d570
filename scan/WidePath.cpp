#include "scan/WidePath.h"

#include "framework/Afx.h"

std::wstring WidePath(const std::string& ansiPath)
{
    const int length = static_cast<int>(ansiPath.size());
    const int wideLength = ::MultiByteToWideChar(CP_ACP, 0, ansiPath.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength > 0 ? wideLength : 0), L'\0');
    if (wideLength > 0)
        ::MultiByteToWideChar(CP_ACP, 0, ansiPath.data(), length, wide.data(), wideLength);
    return wide;
}

std::string AnsiPath(const wchar_t* widePath)
{
    const int length = ::WideCharToMultiByte(CP_ACP, 0, widePath, -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length > 0 ? length : 1), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_ACP, 0, widePath, -1, ansi.data(), length, nullptr, nullptr);
    ansi.pop_back();  // the terminator
    return ansi;
}
