#include "compare/ComparisonReport.h"

#include "verify/VerificationReport.h"

namespace {

std::string ChangeOf(const Difference& difference)
{
    return ChangeText(difference.kind);
}

// The path as it is listed now, if it is.
std::string PathOf(const Difference& difference)
{
    return difference.after ? difference.after->path : std::string(difference.before->path);
}

template <std::string_view BaselineFile::*field>
std::string Before(const Difference& difference)
{
    return difference.before ? std::string(difference.before->*field) : std::string();
}

template <std::string CurrentFile::*field>
std::string After(const Difference& difference)
{
    return difference.after && difference.after->verified ? difference.after->*field : std::string();
}

std::string SignatureAfter(const Difference& difference)
{
    return difference.after && !difference.after->verified ? NotVerifiedText()
                                                          : After<&CurrentFile::signature>(difference);
}

using Column = TableColumn<Difference>;

constexpr Column kColumns[] = {
    {{" Change", 110, false, ColumnSort::ByText}, "Change", "change", ChangeOf},
    {{" File Path", 200, true, ColumnSort::ByText, true}, "Path", "path", PathOf},
    {{" Signature before", 150, false, ColumnSort::ByText}, "Signature before", "before.signature",
     Before<&BaselineFile::signature>},
    {{" Signature after", 150, false, ColumnSort::ByText}, "Signature after", "after.signature", SignatureAfter},
    {{" Signer before", 120, false, ColumnSort::ByText}, "Signer before", "before.signer",
     Before<&BaselineFile::signer>},
    {{" Signer after", 120, false, ColumnSort::ByText}, "Signer after", "after.signer", After<&CurrentFile::signer>},
    {{" SHA-256 before", 120, false, ColumnSort::ByText}, "SHA256 before", "before.sha256",
     Before<&BaselineFile::sha256>},
    {{" SHA-256 after", 120, false, ColumnSort::ByText}, "SHA256 after", "after.sha256", After<&CurrentFile::sha256>},
    {{" Version before", 90, false, ColumnSort::ByText}, "Version before", "before.version",
     Before<&BaselineFile::version>},
    {{" Version after", 90, false, ColumnSort::ByText}, "Version after", "after.version", After<&CurrentFile::version>},
    {{" Original name before", 100, false, ColumnSort::ByText}, "Original name before", "before.original_name",
     Before<&BaselineFile::originalName>},
    {{" Original name after", 100, false, ColumnSort::ByText}, "Original name after", "after.original_name",
     After<&CurrentFile::originalName>},
    {{" Root before", 120, false, ColumnSort::ByText}, "Root before", "before.root", Before<&BaselineFile::root>},
    {{" Root after", 120, false, ColumnSort::ByText}, "Root after", "after.root", After<&CurrentFile::root>},
};

// The kinds of file not compared are counted only when there are any.
bool AlwaysCounted(ChangeKind kind)
{
    return kind != ChangeKind::NotCompared && kind != ChangeKind::NotRead && kind != ChangeKind::FolderNotListed;
}

}  // namespace

std::string ComparisonCounts(const Comparison& comparison)
{
    std::string text;
    for (std::size_t kind = 0; kind < kChangeKindCount; ++kind) {
        const auto change = static_cast<ChangeKind>(kind);
        if (!AlwaysCounted(change) && comparison.counts[kind] == 0)
            continue;
        text += (text.empty() ? "" : ",   ") + ChangeText(change) + ": " + std::to_string(comparison.counts[kind]);
    }
    return text;
}

std::vector<std::pair<std::string, std::size_t>> NamedComparisonCounts(const Comparison& comparison)
{
    static constexpr const char* kNames[] = {"added",   "removed",           "updated",      "downgraded",
                                             "changed", "signature_changed", "not_compared", "not_read",
                                             "folder_not_listed"};
    static_assert(std::size(kNames) == kChangeKindCount);
    std::vector<std::pair<std::string, std::size_t>> counts;
    for (std::size_t kind = 0; kind < kChangeKindCount; ++kind)
        counts.emplace_back(kNames[kind], comparison.counts[kind]);
    return counts;
}

std::string ComparisonStatus(const VerificationProgress& progress, std::size_t baselineFiles)
{
    const auto files = [](std::size_t count) { return std::to_string(count) + (count == 1 ? " file" : " files"); };
    if (progress.Partial()) {
        return "Stopped after " + std::to_string(progress.verified) + " of " + files(progress.total) +
               ": the comparison is partial.";
    }
    return "Compared " + files(progress.total) + " with the baseline's " + std::to_string(baselineFiles) + ".";
}

TableSchema<Difference> DifferenceColumns()
{
    return kColumns;
}
