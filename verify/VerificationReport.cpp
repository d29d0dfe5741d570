#include "verify/VerificationReport.h"

namespace {

std::string NumberOf(const VerifiedFile& file)
{
    return FormatRowNumber(file.row->number);
}

std::string PathOf(const VerifiedFile& file)
{
    return file.row->path;
}

std::string SignatureOf(const VerifiedFile& file)
{
    return file.result ? ResultText(file.result->trust) : NotVerifiedText();
}

std::string SignerOf(const VerifiedFile& file)
{
    return file.result ? file.result->trust.signer : std::string();
}

std::string Sha256Of(const VerifiedFile& file)
{
    return file.result ? file.result->sha256 : std::string();
}

std::string CatalogOf(const VerifiedFile& file)
{
    return file.result ? file.result->trust.catalog : std::string();
}

std::string VersionOf(const VerifiedFile& file)
{
    return file.result ? file.result->description.version : std::string();
}

std::string OriginalNameOf(const VerifiedFile& file)
{
    return file.result ? file.result->description.originalName : std::string();
}

std::string RootOf(const VerifiedFile& file)
{
    return file.result ? file.result->trust.root : std::string();
}

using Column = TableColumn<VerifiedFile>;
namespace Name = VerifiedColumn;

constexpr Column kNumber{{" N", 40, false, ColumnSort::ByNumber}, "N", "n", NumberOf};
constexpr Column kPath{{" File Path", 120, true, ColumnSort::ByText, true},
                       Name::kPath.csv, Name::kPath.json, PathOf};
constexpr Column kSignature{{" Signature", 180, false, ColumnSort::ByText},
                            Name::kSignature.csv, Name::kSignature.json, SignatureOf};
constexpr Column kSigner{{" Signer", 120, false, ColumnSort::ByText},
                         Name::kSigner.csv, Name::kSigner.json, SignerOf};
constexpr Column kSha256{{" SHA-256", 120, false, ColumnSort::ByText},
                         Name::kSha256.csv, Name::kSha256.json, Sha256Of};
constexpr Column kCatalog{{" Catalog", 120, false, ColumnSort::ByText},
                          Name::kCatalog.csv, Name::kCatalog.json, CatalogOf};
constexpr Column kVersion{{" Version", 90, false, ColumnSort::ByText},
                          Name::kVersion.csv, Name::kVersion.json, VersionOf};
constexpr Column kOriginalName{{" Original name", 100, false, ColumnSort::ByText},
                               Name::kOriginalName.csv, Name::kOriginalName.json, OriginalNameOf};
constexpr Column kRoot{{" Root", 120, false, ColumnSort::ByText},
                       Name::kRoot.csv, Name::kRoot.json, RootOf};

constexpr Column kReported[] = {kNumber, kPath, kSignature, kSigner};
constexpr Column kVerified[] = {kNumber, kPath,    kSignature,     kSigner, kSha256,
                                kCatalog, kVersion, kOriginalName, kRoot};

}  // namespace

std::string NotVerifiedText()
{
    return "Not verified (stopped)";
}

std::string VerificationStatus(const VerificationProgress& progress)
{
    const std::string counted = std::to_string(progress.verified) + " of " + std::to_string(progress.total) +
                                (progress.total == 1 ? " file" : " files");
    if (progress.Partial())
        return "Stopped after " + counted + ": the results are partial.";
    return "Verified " + counted + (progress.ended ? "." : "...");
}

std::string VerificationCounts(const VerificationProgress& progress)
{
    std::string text;
    for (std::size_t kind = 0; kind < kTrustKindCount; ++kind) {
        if (kind > 0)
            text += kind == kTrustKindCount / 2 ? "\r\n" : ",   ";
        text += KindText(static_cast<TrustKind>(kind)) + ": " + std::to_string(progress.counts[kind]);
    }
    return text;
}

std::vector<std::pair<std::string, std::size_t>> NamedVerificationCounts(const VerificationProgress& progress)
{
    static constexpr const char* kNames[] = {"signed_catalog",     "signed_embedded", "not_signed", "does_not_match",
                                             "signer_not_trusted", "unreadable",      "not_checked"};
    static_assert(std::size(kNames) == kTrustKindCount);
    std::vector<std::pair<std::string, std::size_t>> counts;
    for (std::size_t kind = 0; kind < kTrustKindCount; ++kind)
        counts.emplace_back(kNames[kind], progress.counts[kind]);
    return counts;
}

std::vector<VerifiedFile> VerifiedFiles(const std::vector<ListRow>& rows,
                                        const std::vector<std::optional<FileVerification>>& results)
{
    std::vector<VerifiedFile> files;
    files.reserve(rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row)
        files.push_back({&rows[row], row < results.size() && results[row] ? &*results[row] : nullptr});
    return files;
}

std::vector<VerifiedFile> ReportedFiles(const std::vector<VerifiedFile>& files)
{
    std::vector<VerifiedFile> reported;
    for (const VerifiedFile& file : files) {
        if (!file.result || !IsTrusted(file.result->trust.kind))
            reported.push_back(file);
    }
    return reported;
}

TableSchema<VerifiedFile> ReportedFileColumns()
{
    return kReported;
}

TableSchema<VerifiedFile> VerifiedFileColumns()
{
    return kVerified;
}
