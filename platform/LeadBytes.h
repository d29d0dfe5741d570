#pragma once
#include <array>
#include <cstddef>
#include <string_view>

// The lead bytes of the ANSI code page's double-byte characters (code pages
// 932, 936, 949 and 950 have them): such a byte and the one after it make
// one character, and that second byte may well be a backslash or an ASCII
// letter. Single-byte code pages have none.
class LeadBytes {
public:
    void Add(unsigned char lead)
    {
        m_lead[lead] = true;
        m_bAny = true;
    }
    bool IsLead(char byte) const { return m_lead[static_cast<unsigned char>(byte)]; }
    bool Any() const { return m_bAny; }
    // Where the character after the one at `at` starts. A lead byte that
    // ends the text is a character of its own.
    std::size_t Next(std::string_view text, std::size_t at) const
    {
        return at + (IsLead(text[at]) && at + 1 < text.size() ? 2 : 1);
    }

private:
    std::array<bool, 256> m_lead{};
    bool m_bAny = false;
};
