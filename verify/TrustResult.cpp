#include "verify/TrustResult.h"

namespace {

bool HasReason(TrustKind kind)
{
    return kind == TrustKind::Unreadable || kind == TrustKind::NotChecked;
}

}  // namespace

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
    case TrustKind::NotChecked:
        return "Could not be checked";
    case TrustKind::Unreadable:
        break;
    }
    return "Could not be read";
}

std::string ResultText(const TrustResult& result)
{
    return HasReason(result.kind) ? KindText(result.kind) + ": " + result.reason : KindText(result.kind);
}
