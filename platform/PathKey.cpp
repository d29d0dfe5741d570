#include "platform/PathKey.h"

#include "framework/Afx.h"
#include "platform/TextConversion.h"

std::string Utf8PathKey(std::string_view utf8)
{
    std::wstring wide = WideFromUtf8(utf8);
    if (!wide.empty()) {
        // Upper-casing keeps the length of UTF-16 text.
        ::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()), wide.data(),
                       static_cast<int>(wide.size()));
    }
    return Utf8FromWide(wide);
}
