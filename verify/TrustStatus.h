#pragma once
#include <cstdint>

#include "verify/TrustResult.h"

// What an answer of WinVerifyTrust means for the file.
struct TrustVerdict {
    TrustKind kind;
    // For Unreadable and NotChecked: the error code whose message says why.
    std::uint32_t error = 0;
};

// `status` is WinVerifyTrust's answer, `chainErrors` the error status bits
// of the signer's certificate chain (0 when none was built), and `catalog`
// whether the file was verified as a member of a catalog.
//
// A chain that ends in a root nobody trusts, or that breaks off, counts
// against the signer even when the status is 0: Windows then answers
// CERT_E_UNTRUSTEDROOT or CERT_E_CHAINING itself, Wine answers 0.
TrustVerdict VerdictOf(std::uint32_t status, std::uint32_t chainErrors, bool catalog);
