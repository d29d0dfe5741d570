#include "compare/Comparison.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "verify/TrustResult.h"
#include "verify/VerificationReport.h"

namespace {

// A difference with the key it is ordered by.
struct KeyedDifference {
    std::string key;
    Difference difference;
};

std::string_view PathOf(const Difference& difference)
{
    return difference.after ? difference.after->path : difference.before->path;
}

bool IsTrustedText(std::string_view signature)
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

bool SameHash(std::string_view a, std::string_view b)
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
    // Paths the same byte for byte have the same key, so files are matched
    // by path first: only the few left, and the differences, are keyed.
    PlaceByKey byPath(baseline.size());
    for (std::size_t at = 0; at < baseline.size(); ++at)
        byPath.try_emplace(baseline[at].path, at);
    std::vector<bool> matched(baseline.size());
    std::vector<KeyedDifference> found;
    const auto match = [&](std::size_t place, const CurrentFile& file, const std::string* key) {
        matched[place] = true;
        if (const std::optional<ChangeKind> change = ChangeOf(baseline[place], file))
            found.push_back({key ? *key : fold(file.path), {*change, &baseline[place], &file}});
    };
    std::vector<const CurrentFile*> unmatched;
    for (const CurrentFile& file : current) {
        const auto place = byPath.find(file.path);
        if (place != byPath.end() && !matched[place->second])
            match(place->second, file, nullptr);
        else
            unmatched.push_back(&file);
    }

    std::vector<std::size_t> rest;
    for (std::size_t at = 0; at < baseline.size(); ++at) {
        if (!matched[at])
            rest.push_back(at);
    }
    std::vector<std::string> restKeys;
    restKeys.reserve(rest.size());
    PlaceByKey byKey(rest.size());
    for (const std::size_t place : rest)
        byKey.try_emplace(restKeys.emplace_back(fold(baseline[place].path)), place);
    for (const CurrentFile* file : unmatched) {
        std::string key = fold(file->path);
        const auto place = byKey.find(key);
        if (place != byKey.end() && !matched[place->second])
            match(place->second, *file, &key);
        else
            found.push_back({std::move(key), {ChangeKind::Added, nullptr, file}});
    }
    for (std::size_t at = 0; at < rest.size(); ++at) {
        if (!matched[rest[at]])
            found.push_back({std::move(restKeys[at]), {ChangeKind::Removed, &baseline[rest[at]], nullptr}});
    }

    std::ranges::sort(found, [](const KeyedDifference& a, const KeyedDifference& b) {
        const int order = a.key.compare(b.key);
        return order < 0 || (order == 0 && PathOf(a.difference) < PathOf(b.difference));
    });
    Comparison comparison;
    comparison.differences.reserve(found.size());
    for (const KeyedDifference& keyed : found) {
        comparison.differences.push_back(keyed.difference);
        ++comparison.counts[static_cast<std::size_t>(keyed.difference.kind)];
    }
    return comparison;
}
