#include "platform/CaseFolding.h"

#include <numeric>

CaseFolding::CaseFolding(const LeadBytes& lead) : m_lead(lead)
{
    std::iota(m_lower.begin(), m_lower.end(), 0);
}

CaseFolding CaseFolding::Ascii(const LeadBytes& lead)
{
    CaseFolding folding(lead);
    for (unsigned char c = 'A'; c <= 'Z'; ++c)
        folding.SetLower(c, static_cast<unsigned char>(c - 'A' + 'a'));
    return folding;
}

void CaseFolding::Fold(char* begin, char* end) const
{
    for (char* at = begin; at != end; ++at) {
        if (m_lead.IsLead(*at)) {
            if (++at == end)
                break;
        } else {
            *at = static_cast<char>(m_lower[static_cast<unsigned char>(*at)]);
        }
    }
}
