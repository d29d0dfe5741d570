#include <gtest/gtest.h>

#include <vector>

#include "verify/HexText.h"
#include "verify/TrustResult.h"
#include "verify/TrustStatus.h"

TEST(TrustStatus, EachAnswerOfTheVerifierMeansOneResult)
{
    struct Case {
        std::uint32_t status;
        std::uint32_t chainErrors;
        bool catalog;
        TrustKind kind;
        std::uint32_t error;
    };
    constexpr std::uint32_t kNotTimeValid = 0x1, kUntrustedRoot = 0x20, kPartialChain = 0x10000;
    const Case cases[] = {
        {0, 0, false, TrustKind::SignedEmbedded, 0},
        {0, 0, true, TrustKind::SignedCatalog, 0},
        // Wine checks a catalog's chain as of 1601.
        {0, kNotTimeValid, true, TrustKind::SignedCatalog, 0},
        // Wine's answers for a root that nobody trusts and a chain that
        // breaks off.
        {0, kUntrustedRoot, false, TrustKind::SignerNotTrusted, 0},
        {0, kPartialChain, true, TrustKind::SignerNotTrusted, 0},
        {0x800B0100, 0, false, TrustKind::NotSigned, 0},            // TRUST_E_NOSIGNATURE
        {0x800B0003, 0, false, TrustKind::NotSigned, 0},            // TRUST_E_SUBJECT_FORM_UNKNOWN
        {0x80096010, 0, false, TrustKind::DoesNotMatch, 0},         // TRUST_E_BAD_DIGEST
        {0x80091007, 0, true, TrustKind::DoesNotMatch, 0},          // CRYPT_E_HASH_VALUE
        {0x800B0109, 0, false, TrustKind::SignerNotTrusted, 0},     // CERT_E_UNTRUSTEDROOT
        {0x800B010A, 0, false, TrustKind::SignerNotTrusted, 0},     // CERT_E_CHAINING
        {0x800B0111, 0, false, TrustKind::SignerNotTrusted, 0},     // TRUST_E_EXPLICIT_DISTRUST
        {0x800B010D, 0, false, TrustKind::SignerNotTrusted, 0},     // CERT_E_UNTRUSTEDTESTROOT
        {0x800B0101, 0, true, TrustKind::SignerNotTrusted, 0},      // CERT_E_EXPIRED
        {0x800B0004, 0, false, TrustKind::SignerNotTrusted, 0},     // TRUST_E_SUBJECT_NOT_TRUSTED
        {0x80096004, 0, false, TrustKind::SignerNotTrusted, 0},     // TRUST_E_CERT_SIGNATURE
        {0x80070020, 0, false, TrustKind::Unreadable, 32},          // HRESULT of ERROR_SHARING_VIOLATION
        {2, 0, false, TrustKind::Unreadable, 2},                    // ERROR_FILE_NOT_FOUND
        {0x80092003, 0, false, TrustKind::Unreadable, 0x80092003},  // CRYPT_E_FILE_ERROR
        // The file was read, but the verifier could not judge it.
        {0x800B0001, 0, false, TrustKind::NotChecked, 0x800B0001},  // TRUST_E_PROVIDER_UNKNOWN
        {0x800B0002, 0, false, TrustKind::NotChecked, 0x800B0002},  // TRUST_E_ACTION_UNKNOWN
        {0x80096001, 0, true, TrustKind::NotChecked, 0x80096001},   // TRUST_E_SYSTEM_ERROR
        {0x80092026, 0, false, TrustKind::NotChecked, 0x80092026},  // CRYPT_E_SECURITY_SETTINGS
    };
    for (const Case& c : cases) {
        const TrustVerdict verdict = VerdictOf(c.status, c.chainErrors, c.catalog);
        EXPECT_EQ(verdict.kind, c.kind) << std::hex << c.status << " " << c.chainErrors;
        EXPECT_EQ(verdict.error, c.error) << std::hex << c.status;
    }
}

TEST(TrustStatus, EachResultHasItsFixedTextAndOnlySignedOnesAreTrusted)
{
    struct Case {
        TrustResult result;
        const char* text;
        bool trusted;
    };
    const Case cases[] = {
        {{TrustKind::SignedCatalog, "Microsoft Windows", "", ""}, "Signed (catalog)", true},
        {{TrustKind::SignedEmbedded, "Microsoft Windows", "", ""}, "Signed (embedded)", true},
        {{TrustKind::NotSigned, "", "", ""}, "Not signed", false},
        {{TrustKind::DoesNotMatch, "", "", ""}, "Signature does not match the file", false},
        {{TrustKind::SignerNotTrusted, "Someone", "", ""}, "Signer not trusted", false},
        {{TrustKind::Unreadable, "", "Access is denied.", ""}, "Could not be read: Access is denied.", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResultText(c.result), c.text);
        EXPECT_EQ(IsTrusted(c.result.kind), c.trusted) << c.text;
    }
}

TEST(TrustStatus, HashesAreWrittenInUpperCaseHexadecimal)
{
    const std::vector<unsigned char> bytes = {0x00, 0x0F, 0xA5, 0xFF};
    EXPECT_EQ(UpperHex(bytes), "000FA5FF");
    EXPECT_EQ(UpperHex({}), "");
}
