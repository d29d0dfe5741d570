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
    {{" Change", 110, false, ColumnSort::ByText}, "Change", ChangeOf},
    {{" File Path", 200, true, ColumnSort::ByText, true}, "Path", PathOf},
    {{" Signature before", 150, false, ColumnSort::ByText}, "Signature before", Before<&BaselineFile::signature>},
    {{" Signature after", 150, false, ColumnSort::ByText}, "Signature after", SignatureAfter},
    {{" Signer before", 120, false, ColumnSort::ByText}, "Signer before", Before<&BaselineFile::signer>},
    {{" Signer after", 120, false, ColumnSort::ByText}, "Signer after", After<&CurrentFile::signer>},
    {{" SHA-256 before", 120, false, ColumnSort::ByText}, "SHA256 before", Before<&BaselineFile::sha256>},
    {{" SHA-256 after", 120, false, ColumnSort::ByText}, "SHA256 after", After<&CurrentFile::sha256>},
    {{" Version before", 90, false, ColumnSort::ByText}, "Version before", Before<&BaselineFile::version>},
    {{" Version after", 90, false, ColumnSort::ByText}, "Version after", After<&CurrentFile::version>},
    {{" Original name before", 100, false, ColumnSort::ByText}, "Original name before",
     Before<&BaselineFile::originalName>},
    {{" Original name after", 100, false, ColumnSort::ByText}, "Original name after",
     After<&CurrentFile::originalName>},
    {{" Root before", 120, false, ColumnSort::ByText}, "Root before", Before<&BaselineFile::root>},
    {{" Root after", 120, false, ColumnSort::ByText}, "Root after", After<&CurrentFile::root>},
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
