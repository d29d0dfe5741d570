#pragma once
#include <cstddef>
#include <string>

// What verifying a file's signature found. The values index per-kind counts.
enum class TrustKind {
    SignedCatalog,
    SignedEmbedded,
    NotSigned,
    DoesNotMatch,
    SignerNotTrusted,
    Unreadable,
};
inline constexpr std::size_t kTrustKindCount = 6;

struct TrustResult {
    TrustKind kind = TrustKind::Unreadable;
    // The subject name of the signer's own (leaf) certificate; empty when
    // no signer is known.
    std::string signer;
    // For Unreadable: the system's message for the error that stopped it.
    std::string reason;
};

// True for the kinds that mean signed by a trusted signer.
bool IsTrusted(TrustKind kind);

// The result's fixed text: "Signed (catalog)", "Signed (embedded)",
// "Not signed", "Signature does not match the file", "Signer not trusted",
// or "Could not be read: " and the reason.
std::string ResultText(const TrustResult& result);
