#include "compare/Comparison.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

#include "platform/AsciiCase.h"
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
    static const std::string catalog = KindText(TrustKind::SignedCatalog);
    static const std::string embedded = KindText(TrustKind::SignedEmbedded);
    return signature == catalog || signature == embedded;
}

// The file could not be read or checked: what it holds, or whether it is
// signed, is not known.
bool IsUnknownText(std::string_view signature)
{
    static const std::string unreadable = KindText(TrustKind::Unreadable);
    static const std::string notChecked = KindText(TrustKind::NotChecked);
    return signature.starts_with(unreadable) || signature.starts_with(notChecked);
}

// The four numbers of a version text, "10.0.19041.3636"; none for any
// other text.
std::optional<std::array<unsigned, 4>> VersionNumbers(std::string_view text)
{
    std::array<unsigned, 4> numbers{};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (std::size_t part = 0; part < numbers.size(); ++part) {
        if (part > 0 && (at == end || *at++ != '.'))
            return std::nullopt;
        const auto [next, error] = std::from_chars(at, end, numbers[part]);
        if (error != std::errc() || next == at || numbers[part] > 0xFFFF)
            return std::nullopt;
        at = next;
    }
    return at == end ? std::optional(numbers) : std::nullopt;
}

// Whether other bytes are the same program, moved on (Updated) or back
// (Downgraded), as far as the baseline tells: signed and trusted both
// times, by one named signer under one root, with one original name (or
// none either time), and a version that has changed where both have one.
std::optional<ChangeKind> UpdateOf(const BaselineFile& before, const CurrentFile& after, const PathFolding& fold)
{
    if (!IsTrustedText(before.signature) || !IsTrustedText(after.signature))
        return std::nullopt;
    if (before.signer.empty() || before.signer != after.signer)
        return std::nullopt;
    if (before.root.empty() || !SameIgnoringAsciiCase(before.root, after.root))
        return std::nullopt;
    if (before.originalName.empty() != after.originalName.empty() ||
        fold(before.originalName) != fold(after.originalName))
        return std::nullopt;
    if (before.version.empty() || after.version.empty())
        return ChangeKind::Updated;
    const auto was = VersionNumbers(before.version);
    const auto is = VersionNumbers(after.version);
    if (!was || !is || *was == *is)
        return std::nullopt;
    return *is > *was ? ChangeKind::Updated : ChangeKind::Downgraded;
}

// What has become of a file that is in the baseline and listed now;
// nothing when it is as it was.
std::optional<ChangeKind> ChangeOf(const Baseline& baseline, const BaselineFile& before, const CurrentFile& after,
                                   const PathFolding& fold)
{
    static const std::string notVerified = NotVerifiedText();
    if (!after.verified || before.signature == notVerified)
        return ChangeKind::NotCompared;
    if (IsUnknownText(before.signature) || IsUnknownText(after.signature) || before.sha256.empty() ||
        after.sha256.empty())
        return ChangeKind::NotRead;
    if (SameIgnoringAsciiCase(before.sha256, after.sha256)) {
        const bool sameResult = before.signature == after.signature && before.signer == after.signer;
        return sameResult ? std::nullopt : std::optional(ChangeKind::SignatureChanged);
    }
    if (!baseline.tellsUpdates)
        return ChangeKind::Changed;
    return UpdateOf(before, after, fold).value_or(ChangeKind::Changed);
}

// Whether the key of a path lies below one of the folders' keys.
class FolderKeys {
public:
    FolderKeys(std::span<const std::string> folders, const PathFolding& fold)
    {
        for (const std::string& folder : folders) {
            std::string key = fold(folder);
            if (!key.ends_with('\\'))
                key += '\\';
            m_keys.push_back(std::move(key));
        }
    }
    bool Hold(std::string_view pathKey) const
    {
        return std::ranges::any_of(m_keys, [&](const std::string& key) { return pathKey.starts_with(key); });
    }

private:
    std::vector<std::string> m_keys;
};

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
    case ChangeKind::Downgraded:
        return "Downgraded";
    case ChangeKind::Changed:
        return "Changed";
    case ChangeKind::SignatureChanged:
        return "Signature changed";
    case ChangeKind::NotRead:
        return "Not compared (not read)";
    case ChangeKind::FolderNotListed:
        return "Not compared (folder not listed)";
    case ChangeKind::NotCompared:
        break;
    }
    return "Not compared (stopped)";
}

bool Comparison::OnlyUpdates() const
{
    return differences.size() == counts[static_cast<std::size_t>(ChangeKind::Updated)];
}

Comparison Compare(const Baseline& baseline, std::span<const CurrentFile> current, const PathFolding& fold,
                   std::span<const std::string> unlistedFolders)
{
    const std::vector<BaselineFile>& files = baseline.files;
    // Paths the same byte for byte have the same key, so files are matched
    // by path first: only the few left, and the differences, are keyed.
    PlaceByKey byPath(files.size());
    for (std::size_t at = 0; at < files.size(); ++at)
        byPath.try_emplace(files[at].path, at);
    std::vector<bool> matched(files.size());
    std::vector<KeyedDifference> found;
    const auto match = [&](std::size_t place, const CurrentFile& file, const std::string* key) {
        matched[place] = true;
        if (const std::optional<ChangeKind> change = ChangeOf(baseline, files[place], file, fold))
            found.push_back({key ? *key : fold(file.path), {*change, &files[place], &file}});
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
    for (std::size_t at = 0; at < files.size(); ++at) {
        if (!matched[at])
            rest.push_back(at);
    }
    std::vector<std::string> restKeys;
    restKeys.reserve(rest.size());
    PlaceByKey byKey(rest.size());
    for (const std::size_t place : rest)
        byKey.try_emplace(restKeys.emplace_back(fold(files[place].path)), place);
    for (const CurrentFile* file : unmatched) {
        std::string key = fold(file->path);
        const auto place = byKey.find(key);
        if (place != byKey.end() && !matched[place->second])
            match(place->second, *file, &key);
        else
            found.push_back({std::move(key), {ChangeKind::Added, nullptr, file}});
    }
    const FolderKeys unlisted(unlistedFolders, fold);
    for (std::size_t at = 0; at < rest.size(); ++at) {
        if (matched[rest[at]])
            continue;
        const ChangeKind kind = unlisted.Hold(restKeys[at]) ? ChangeKind::FolderNotListed : ChangeKind::Removed;
        found.push_back({std::move(restKeys[at]), {kind, &files[rest[at]], nullptr}});
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
    comparison.updatesUntold =
        !baseline.tellsUpdates && comparison.counts[static_cast<std::size_t>(ChangeKind::Changed)] > 0;
    return comparison;
}
