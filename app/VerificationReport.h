#pragma once
// What a verification of the file list's rows is shown and written as.
#include <optional>
#include <string>
#include <vector>

#include "scan/ListRow.h"
#include "verify/VerificationJob.h"

// "Verified N of M files", and once a stopped job has ended, that the
// results are partial.
std::string VerificationStatus(const VerificationProgress& progress);

// The count of each result, on two lines.
std::string VerificationCounts(const VerificationProgress& progress);

// What a verification that has ended reports, in the rows' order: number,
// path, result and signer of every file found anything but signed and
// trusted, and of every file not verified (a stopped verification's), as
// "Not verified (stopped)".
std::vector<std::vector<std::string>> ReportedRecords(const std::vector<ListRow>& rows,
                                                      const std::vector<std::optional<FileVerification>>& results);

// Every row with its result: number, path, result, signer, SHA-256. A row
// whose file was not verified has empty fields.
std::vector<std::vector<std::string>> VerificationRecords(const std::vector<ListRow>& rows,
                                                          const std::vector<std::optional<FileVerification>>& results);
