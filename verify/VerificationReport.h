#pragma once
// What a verification of the file list's rows is shown and written as.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "rows/TableSchema.h"
#include "scan/ListRow.h"
#include "verify/VerificationJob.h"

// "Verified N of M files", and once a stopped job has ended, that the
// results are partial.
std::string VerificationStatus(const VerificationProgress& progress);

// The count of each result, on two lines.
std::string VerificationCounts(const VerificationProgress& progress);

// The count of each result by a name that stays as it is once released:
// "signed_catalog", "signed_embedded", "not_signed", "does_not_match",
// "signer_not_trusted", "unreadable", "not_checked".
std::vector<std::pair<std::string, std::size_t>> NamedVerificationCounts(const VerificationProgress& progress);

// What a file that was not verified reads as where its result would be:
// "Not verified (stopped)".
std::string NotVerifiedText();

// A listed file and what verifying it found; no result for a file that was
// not verified. Both point into the rows and the results they come from.
struct VerifiedFile {
    const ListRow* row;
    const FileVerification* result;
};

// Each row with its result, in the rows' order.
std::vector<VerifiedFile> VerifiedFiles(const std::vector<ListRow>& rows,
                                        const std::vector<std::optional<FileVerification>>& results);

// What a verification that has ended reports: every file found anything
// but signed and trusted, and every file not verified (a stopped
// verification's), whose result reads "Not verified (stopped)".
std::vector<VerifiedFile> ReportedFiles(const std::vector<VerifiedFile>& files);

// The Verify Signatures dialog's columns: N, Path, Signature, Signer.
TableSchema<VerifiedFile> ReportedFileColumns();

// The names of /verify's columns in CSV and in JSON Lines, as a baseline is
// read back by them.
namespace VerifiedColumn {
struct Name {
    const char* csv;
    const char* json;
};
inline constexpr Name kPath{"Path", "path"};
inline constexpr Name kSignature{"Signature", "signature"};
inline constexpr Name kSigner{"Signer", "signer"};
inline constexpr Name kSha256{"SHA256", "sha256"};
inline constexpr Name kCatalog{"Catalog", "catalog"};
inline constexpr Name kVersion{"Version", "version"};
inline constexpr Name kOriginalName{"Original name", "original_name"};
inline constexpr Name kRoot{"Root", "root"};
}  // namespace VerifiedColumn

// The columns of /verify's CSV: N, Path, Signature, Signer, SHA256,
// Catalog, Version, Original name, Root.
TableSchema<VerifiedFile> VerifiedFileColumns();
