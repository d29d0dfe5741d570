#include "verify/TrustStatus.h"

#include <algorithm>
#include <iterator>

namespace {

// The answers, as winerror.h names them.
constexpr std::uint32_t kNoSignature = 0x800B0100;         // TRUST_E_NOSIGNATURE
constexpr std::uint32_t kSubjectFormUnknown = 0x800B0003;  // TRUST_E_SUBJECT_FORM_UNKNOWN
constexpr std::uint32_t kProviderUnknown = 0x800B0001;     // TRUST_E_PROVIDER_UNKNOWN
constexpr std::uint32_t kBadDigest = 0x80096010;           // TRUST_E_BAD_DIGEST
constexpr std::uint32_t kHashValue = 0x80091007;           // CRYPT_E_HASH_VALUE
constexpr std::uint32_t kSubjectNotTrusted = 0x800B0004;   // TRUST_E_SUBJECT_NOT_TRUSTED
// The verifier could not judge the file it read: no provider knows its
// kind or the action, the verifier failed, or policy keeps it from looking.
constexpr std::uint32_t kNotJudged[] = {
    kProviderUnknown,
    0x800B0002,  // TRUST_E_ACTION_UNKNOWN
    0x80096001,  // TRUST_E_SYSTEM_ERROR
    0x80092026,  // CRYPT_E_SECURITY_SETTINGS
};
// CERT_E_EXPIRED (0x800B0101) to CERT_E_INVALID_NAME (0x800B0114) and on,
// TRUST_E_EXPLICIT_DISTRUST among them: what is wrong with the certificates.
constexpr std::uint32_t kFirstCertificateError = 0x800B0101;
constexpr std::uint32_t kLastCertificateError = 0x800B01FF;
// What is wrong with the signer or its certificate, outside that range.
constexpr std::uint32_t kSignerErrors[] = {
    0x80096002,  // TRUST_E_NO_SIGNER_CERT
    0x80096003,  // TRUST_E_COUNTER_SIGNER
    0x80096004,  // TRUST_E_CERT_SIGNATURE
    0x80096005,  // TRUST_E_TIME_STAMP
    0x80096019,  // TRUST_E_BASIC_CONSTRAINTS
    0x8009601E,  // TRUST_E_FINANCIAL_CRITERIA
};
// HRESULT_FROM_WIN32: a system error code in the low word.
constexpr std::uint32_t kWin32ErrorMask = 0xFFFF0000;
constexpr std::uint32_t kWin32Errors = 0x80070000;

// The chain's error status bits (CERT_TRUST_...) that deny the signer
// trust. Not the time: Wine checks a catalog's chain as of 1601.
constexpr std::uint32_t kDistrustingChainErrors = 0x00000004     // IS_REVOKED
                                                  | 0x00000008   // IS_NOT_SIGNATURE_VALID
                                                  | 0x00000020   // IS_UNTRUSTED_ROOT
                                                  | 0x00000080   // IS_CYCLIC
                                                  | 0x00010000   // IS_PARTIAL_CHAIN
                                                  | 0x04000000;  // IS_EXPLICIT_DISTRUST

bool IsSignerError(std::uint32_t status)
{
    return (status >= kFirstCertificateError && status <= kLastCertificateError) || status == kSubjectNotTrusted ||
           std::find(std::begin(kSignerErrors), std::end(kSignerErrors), status) != std::end(kSignerErrors);
}

}  // namespace

TrustVerdict VerdictOf(std::uint32_t status, std::uint32_t chainErrors, bool catalog)
{
    if (status == 0) {
        if (chainErrors & kDistrustingChainErrors)
            return {TrustKind::SignerNotTrusted};
        return {catalog ? TrustKind::SignedCatalog : TrustKind::SignedEmbedded};
    }
    if (status == kNoSignature || status == kSubjectFormUnknown)
        return {TrustKind::NotSigned};
    if (std::find(std::begin(kNotJudged), std::end(kNotJudged), status) != std::end(kNotJudged))
        return {TrustKind::NotChecked, status};
    if (status == kBadDigest || status == kHashValue)
        return {TrustKind::DoesNotMatch};
    if (IsSignerError(status))
        return {TrustKind::SignerNotTrusted};
    // Anything else kept the file from being judged: a system error code
    // as it is or wrapped in an HRESULT, or an error of CryptoAPI's own.
    if ((status & kWin32ErrorMask) == kWin32Errors)
        return {TrustKind::Unreadable, status & ~kWin32ErrorMask};
    return {TrustKind::Unreadable, status};
}
