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
    // The file could not be opened or read.
    Unreadable,
    // The file was read, but the system could not say whether it is
    // signed: its catalogs could not be searched, or the verifier is
    // missing.
    NotChecked,
};
inline constexpr std::size_t kTrustKindCount = 7;

struct TrustResult {
    TrustKind kind = TrustKind::Unreadable;
    // The subject name of the signer's own (leaf) certificate; empty when
    // no signer is known.
    std::string signer;
    // For Unreadable and NotChecked: the system's message for the error
    // that stopped it.
    std::string reason;
    // For SignedCatalog: the file name of the catalog that vouched for the
    // file, as "Package_1~31bf3856ad364e35~amd64~~10.0.1.0.cat".
    std::string catalog;
    // The SHA-256 of the root certificate of the signer's chain, as the
    // verifier built it, in upper-case hex; empty when no chain was built.
    std::string root = {};
};

// True for the kinds that mean signed by a trusted signer.
bool IsTrusted(TrustKind kind);

// The kind's fixed text, without a reason: "Could not be read" for
// Unreadable, "Could not be checked" for NotChecked.
std::string KindText(TrustKind kind);

// The result's fixed text: "Signed (catalog)", "Signed (embedded)",
// "Not signed", "Signature does not match the file", "Signer not trusted",
// or "Could not be read: " or "Could not be checked: " and the reason.
std::string ResultText(const TrustResult& result);
