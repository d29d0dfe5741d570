#include "verify/TrustResult.h"

bool IsTrusted(TrustKind kind)
{
    return kind == TrustKind::SignedCatalog || kind == TrustKind::SignedEmbedded;
}

std::string KindText(TrustKind kind)
{
    switch (kind) {
    case TrustKind::SignedCatalog:
        return "Signed (catalog)";
    case TrustKind::SignedEmbedded:
        return "Signed (embedded)";
    case TrustKind::NotSigned:
        return "Not signed";
    case TrustKind::DoesNotMatch:
        return "Signature does not match the file";
    case TrustKind::SignerNotTrusted:
        return "Signer not trusted";
    case TrustKind::Unreadable:
        break;
    }
    return "Could not be read";
}

std::string ResultText(const TrustResult& result)
{
    return result.kind == TrustKind::Unreadable ? KindText(result.kind) + ": " + result.reason : KindText(result.kind);
}
