#include "platform/TextConversion.h"

#include "framework/Afx.h"

namespace {

// `text`, in the code page `codePage`, as UTF-16.
std::wstring WideFrom(UINT codePage, std::string_view text)
{
    const int length = static_cast<int>(text.size());
    const int wideLength = ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength > 0 ? wideLength : 0), L'\0');
    if (wideLength > 0)
        ::MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), wideLength);
    return wide;
}

}  // namespace

std::wstring WideText(const std::string& ansi)
{
    return WideFrom(CP_ACP, ansi);
}

std::string AnsiText(const wchar_t* wide)
{
    const int length = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length > 0 ? length : 1), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi.data(), length, nullptr, nullptr);
    ansi.pop_back();  // the terminator
    return ansi;
}

bool ExactAnsi(const std::wstring& wide, std::string& ansi)
{
    if (wide.empty()) {
        ansi.clear();
        return true;
    }
    const int length = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    // Where the ANSI code page is UTF-8, the system takes no default
    // character to report, and every character fits.
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL* const reportLoss = utf8 ? nullptr : &lossy;
    const int size = ::WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, reportLoss);
    if (size <= 0 || lossy)
        return false;
    std::string converted(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, wide.data(), length, converted.data(), size, nullptr, reportLoss);
    if (lossy)
        return false;
    ansi = std::move(converted);
    return true;
}

std::string Utf8Text(const std::string& ansi)
{
    return Utf8FromWide(WideText(ansi));
}

std::wstring WideFromUtf8(std::string_view utf8)
{
    return WideFrom(CP_UTF8, utf8);
}

std::string Utf8FromWide(const std::wstring& wide)
{
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr,
                              nullptr);
    return utf8;
}
