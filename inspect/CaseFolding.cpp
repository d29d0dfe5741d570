#include "inspect/CaseFolding.h"

#include <numeric>

CaseFolding::CaseFolding()
{
    std::iota(m_lower.begin(), m_lower.end(), 0);
}

CaseFolding CaseFolding::Ascii()
{
    CaseFolding folding;
    for (unsigned char c = 'A'; c <= 'Z'; ++c)
        folding.SetLower(c, static_cast<unsigned char>(c - 'A' + 'a'));
    return folding;
}

void CaseFolding::Fold(char* begin, char* end) const
{
    for (char* at = begin; at != end; ++at) {
        const auto byte = static_cast<unsigned char>(*at);
        if (m_lead[byte]) {
            if (++at == end)
                break;
        } else {
            *at = static_cast<char>(m_lower[byte]);
        }
    }
}
