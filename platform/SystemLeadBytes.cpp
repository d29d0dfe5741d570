#include "platform/SystemLeadBytes.h"

#include "framework/Afx.h"

const LeadBytes& SystemLeadBytes()
{
    static const LeadBytes lead = [] {
        LeadBytes bytes;
        // Below 0x80 every ANSI code page is ASCII.
        for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
            if (::IsDBCSLeadByte(static_cast<BYTE>(byte)))
                bytes.Add(static_cast<unsigned char>(byte));
        }
        return bytes;
    }();
    return lead;
}
