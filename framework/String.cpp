#include "framework/String.h"

#include <cstdarg>
#include <cstdio>

#include "framework/WinApp.h"

void CString::Format(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    m_text.assign(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(m_text.data(), m_text.size() + 1, format, again);
    va_end(again);
}

BOOL CString::LoadString(UINT id)
{
    // A string resource is stored counted, not terminated; ask for a pointer
    // to it (buffer size 0) instead of guessing a buffer size.
    LPCWSTR resource = nullptr;
    const int wideLength = ::LoadStringW(AfxGetResourceHandle(), id,
                                         reinterpret_cast<LPWSTR>(&resource), 0);
    m_text.clear();
    if (wideLength <= 0 || !resource)
        return FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, 0, resource, wideLength, nullptr, 0, nullptr, nullptr);
    m_text.assign(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, resource, wideLength, m_text.data(), length, nullptr, nullptr);
    return TRUE;
}
