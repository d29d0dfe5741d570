#include "framework/String.h"

#include "framework/WinApp.h"

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
