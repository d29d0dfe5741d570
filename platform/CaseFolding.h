#pragma once
#include <array>
#include <string>

#include "platform/LeadBytes.h"

// Lower-cases narrow text byte by byte, with a table that the system's ANSI
// code page fills; a double-byte character is kept as it is.
class CaseFolding {
public:
    // Folds A to Z only, in a code page with the lead bytes `lead`.
    static CaseFolding Ascii(const LeadBytes& lead = {});

    void SetLower(unsigned char upper, unsigned char lower) { m_lower[upper] = lower; }
    const LeadBytes& Lead() const { return m_lead; }

    void Fold(char* begin, char* end) const;
    void Fold(std::string& text) const { Fold(text.data(), text.data() + text.size()); }

private:
    explicit CaseFolding(const LeadBytes& lead);

    std::array<unsigned char, 256> m_lower;
    LeadBytes m_lead;
};
