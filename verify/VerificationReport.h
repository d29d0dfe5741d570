#pragma once
// What a verification of the file list's rows is shown and written as.
#include <optional>
#include <string>
#include <vector>

#include "rows/TableSchema.h"
#include "scan/ListRow.h"
#include "verify/VerificationJob.h"

// "Verified N of M files", and once a stopped job has ended, that the
// results are partial.
std::string VerificationStatus(const VerificationProgress& progress);

// The count of each result, on two lines.
std::string VerificationCounts(const VerificationProgress& progress);

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

// The CSV names of /verify's columns, as a baseline is read back by them.
namespace VerifiedColumn {
inline constexpr const char* kPath = "Path";
inline constexpr const char* kSignature = "Signature";
inline constexpr const char* kSigner = "Signer";
inline constexpr const char* kSha256 = "SHA256";
inline constexpr const char* kCatalog = "Catalog";
inline constexpr const char* kVersion = "Version";
inline constexpr const char* kOriginalName = "Original name";
inline constexpr const char* kRoot = "Root";
}  // namespace VerifiedColumn

// The columns of /verify's CSV: N, Path, Signature, Signer, SHA256,
// Catalog, Version, Original name, Root.
TableSchema<VerifiedFile> VerifiedFileColumns();
