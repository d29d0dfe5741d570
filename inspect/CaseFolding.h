#pragma once
#include <array>
#include <string>

// Lower-cases narrow text byte by byte, with a table that the system's ANSI
// code page fills; the byte that follows a lead byte of a double-byte
// character is part of that character and is kept as it is.
class CaseFolding {
public:
    // Folds A to Z only.
    static CaseFolding Ascii();

    void SetLower(unsigned char upper, unsigned char lower) { m_lower[upper] = lower; }
    void SetLeadByte(unsigned char lead) { m_lead[lead] = true; }

    void Fold(char* begin, char* end) const;
    void Fold(std::string& text) const { Fold(text.data(), text.data() + text.size()); }

private:
    CaseFolding();

    std::array<unsigned char, 256> m_lower;
    std::array<bool, 256> m_lead{};
};
