#include "export/Clipboard.h"

#include <cstring>

#include "platform/TextConversion.h"

namespace {

// A movable memory block holding `size` bytes from `data`, as the
// clipboard takes it; null on failure.
HGLOBAL GlobalCopy(const void* data, std::size_t size)
{
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return nullptr;
    void* const locked = ::GlobalLock(block);
    if (!locked) {
        ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(locked, data, size);
    ::GlobalUnlock(block);
    return block;
}

// Hands `block` to the clipboard, which owns it from then on; frees it if
// the clipboard refuses.
bool Give(UINT format, HGLOBAL block)
{
    if (block && ::SetClipboardData(format, block))
        return true;
    if (block)
        ::GlobalFree(block);
    return false;
}

// The last error, or `fallback` when the failed call left none.
unsigned ErrorOr(unsigned fallback)
{
    const DWORD error = ::GetLastError();
    return error ? error : fallback;
}

}  // namespace

unsigned WindowsClipboard::SetText(HWND owner, const std::string& text)
{
    for (int attempt = 1; !::OpenClipboard(owner); ++attempt) {
        if (attempt == kOpenAttempts)
            return ErrorOr(ERROR_ACCESS_DENIED);
        m_wait();
    }
    const std::wstring wide = WideText(text);
    const bool done = ::EmptyClipboard() &&
                      Give(CF_UNICODETEXT, GlobalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t))) &&
                      Give(CF_TEXT, GlobalCopy(text.c_str(), text.size() + 1));
    const unsigned error = done ? 0 : ErrorOr(ERROR_NOT_ENOUGH_MEMORY);
    ::CloseClipboard();
    return error;
}
