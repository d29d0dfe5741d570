#include "compare/Comparison.h"

#include <algorithm>
#include <optional>

#include "verify/TrustResult.h"
#include "verify/VerificationReport.h"

namespace {

// A file with its path's key.
template <class File>
struct KeyedFile {
    std::string key;
    const File* file;
};

template <class File>
std::vector<KeyedFile<File>> SortedByKey(std::span<const File> files, const PathFolding& fold)
{
    std::vector<KeyedFile<File>> keyed;
    keyed.reserve(files.size());
    for (const File& file : files)
        keyed.push_back({fold(file.path), &file});
    std::ranges::sort(keyed, [](const KeyedFile<File>& a, const KeyedFile<File>& b) {
        const int order = a.key.compare(b.key);
        return order < 0 || (order == 0 && a.file->path < b.file->path);
    });
    return keyed;
}

bool IsTrustedText(const std::string& signature)
{
    static const std::vector<std::string> trusted = [] {
        std::vector<std::string> texts;
        for (std::size_t kind = 0; kind < kTrustKindCount; ++kind) {
            if (IsTrusted(static_cast<TrustKind>(kind)))
                texts.push_back(KindText(static_cast<TrustKind>(kind)));
        }
        return texts;
    }();
    return std::ranges::find(trusted, signature) != trusted.end();
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameHash(const std::string& a, const std::string& b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// What has become of a file that is in the baseline and listed now;
// nothing when it is as it was.
std::optional<ChangeKind> ChangeOf(const BaselineFile& before, const CurrentFile& after)
{
    static const std::string notVerified = NotVerifiedText();
    if (!after.verified || before.signature == notVerified)
        return ChangeKind::NotCompared;
    const bool sameResult = before.signature == after.signature && before.signer == after.signer;
    if (before.sha256.empty() && after.sha256.empty())
        return sameResult ? std::nullopt : std::optional(ChangeKind::Changed);
    if (SameHash(before.sha256, after.sha256))
        return sameResult ? std::nullopt : std::optional(ChangeKind::SignatureChanged);
    if (IsTrustedText(before.signature) && IsTrustedText(after.signature) && before.signer == after.signer)
        return ChangeKind::Updated;
    return ChangeKind::Changed;
}

}  // namespace

std::string ChangeText(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::Added:
        return "Added";
    case ChangeKind::Removed:
        return "Removed";
    case ChangeKind::Updated:
        return "Updated";
    case ChangeKind::Changed:
        return "Changed";
    case ChangeKind::SignatureChanged:
        return "Signature changed";
    case ChangeKind::NotCompared:
        break;
    }
    return "Not compared (stopped)";
}

bool Comparison::OnlyUpdates() const
{
    return differences.size() == counts[static_cast<std::size_t>(ChangeKind::Updated)];
}

Comparison Compare(std::span<const BaselineFile> baseline, std::span<const CurrentFile> current,
                   const PathFolding& fold)
{
    const auto before = SortedByKey(baseline, fold);
    const auto after = SortedByKey(current, fold);
    Comparison comparison;
    const auto add = [&comparison](ChangeKind kind, const BaselineFile* was, const CurrentFile* is) {
        comparison.differences.push_back({kind, was, is});
        ++comparison.counts[static_cast<std::size_t>(kind)];
    };
    std::size_t b = 0, a = 0;
    while (b < before.size() || a < after.size()) {
        const int order = b == before.size()  ? 1
                          : a == after.size() ? -1
                                              : before[b].key.compare(after[a].key);
        if (order < 0) {
            add(ChangeKind::Removed, before[b++].file, nullptr);
        } else if (order > 0) {
            add(ChangeKind::Added, nullptr, after[a++].file);
        } else {
            if (const std::optional<ChangeKind> change = ChangeOf(*before[b].file, *after[a].file))
                add(*change, before[b].file, after[a].file);
            ++b;
            ++a;
        }
    }
    return comparison;
}
