#include "verify/TrustResult.h"

bool IsTrusted(TrustKind kind)
{
    return kind == TrustKind::SignedCatalog || kind == TrustKind::SignedEmbedded;
}

std::string ResultText(const TrustResult& result)
{
    switch (result.kind) {
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
    return "Could not be read: " + result.reason;
}
