#include "app/VerificationReport.h"

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

std::vector<std::vector<std::string>> ReportedRecords(const std::vector<ListRow>& rows,
                                                      const std::vector<std::optional<FileVerification>>& results)
{
    std::vector<std::vector<std::string>> records;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const FileVerification* result = row < results.size() && results[row] ? &*results[row] : nullptr;
        if (!result)
            records.push_back({FormatRowNumber(rows[row].number), rows[row].path, "Not verified (stopped)", ""});
        else if (!IsTrusted(result->trust.kind))
            records.push_back({FormatRowNumber(rows[row].number), rows[row].path, ResultText(result->trust),
                               result->trust.signer});
    }
    return records;
}

std::vector<std::vector<std::string>> VerificationRecords(const std::vector<ListRow>& rows,
                                                          const std::vector<std::optional<FileVerification>>& results)
{
    std::vector<std::vector<std::string>> records;
    records.reserve(rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const FileVerification* result = row < results.size() && results[row] ? &*results[row] : nullptr;
        records.push_back({FormatRowNumber(rows[row].number), rows[row].path,
                           result ? ResultText(result->trust) : std::string(),
                           result ? result->trust.signer : std::string(), result ? result->sha256 : std::string()});
    }
    return records;
}
