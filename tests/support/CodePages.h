#pragma once
// Lead bytes of the code pages the tests use.
#include "platform/LeadBytes.h"

// Code page 932 (Shift-JIS): lead bytes 81-9F and E0-FC. Its characters
// include 表 (95 5C), whose second byte is a backslash, and Ｂ (82 61), whose
// second byte is 'a'.
inline LeadBytes ShiftJisLeadBytes()
{
    LeadBytes lead;
    for (unsigned byte = 0x81; byte <= 0xFC; ++byte) {
        if (byte <= 0x9F || byte >= 0xE0)
            lead.Add(static_cast<unsigned char>(byte));
    }
    return lead;
}
