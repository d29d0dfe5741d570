#include "platform/SystemCaseFolding.h"

#include <windows.h>

#include "platform/SystemLeadBytes.h"

const CaseFolding& SystemCaseFolding()
{
    static const CaseFolding folding = [] {
        // Below 0x80 every ANSI code page is ASCII.
        CaseFolding table = CaseFolding::Ascii(SystemLeadBytes());
        for (unsigned c = 0x80; c <= 0xFF; ++c) {
            const auto byte = static_cast<unsigned char>(c);
            if (table.Lead().IsLead(static_cast<char>(byte)))
                continue;
            char letter = static_cast<char>(byte);
            ::CharLowerBuffA(&letter, 1);
            table.SetLower(byte, static_cast<unsigned char>(letter));
        }
        return table;
    }();
    return folding;
}
