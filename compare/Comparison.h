#pragma once
// What has become of a baseline's files: the differences between it and a
// verification of the files listed now.
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "compare/BaselineReader.h"
#include "compare/PathFolding.h"

// A file listed now and what verifying it found, its texts in UTF-8 as
// /verify writes them.
struct CurrentFile {
    std::string path;
    // ResultText's: "Signed (catalog)".
    std::string signature;
    std::string signer;
    std::string sha256;
    // Not compared: another catalog that vouches for the same bytes is no
    // difference.
    std::string catalog;
    // False for a file that a stopped verification did not reach; then
    // only its path counts.
    bool verified = true;
};

// The values index per-kind counts.
enum class ChangeKind {
    // Listed now, not in the baseline, whether verified or not.
    Added,
    // In the baseline, not listed now.
    Removed,
    // Other bytes, signed and trusted both times, by the same signer.
    Updated,
    // Other bytes, any other way; or bytes not read either time, with
    // another result.
    Changed,
    // The same bytes, another signature text or signer.
    SignatureChanged,
    // In the baseline, but not verified this time or when the baseline was
    // made (a stopped verification's).
    NotCompared,
};
inline constexpr std::size_t kChangeKindCount = 6;

// "Added", "Removed", "Updated", "Changed", "Signature changed",
// "Not compared (stopped)".
std::string ChangeText(ChangeKind kind);

// A difference, pointing into the baseline and the current files it comes
// from: no baseline row for an added file, no current one for a removed.
struct Difference {
    ChangeKind kind;
    const BaselineFile* before;
    const CurrentFile* after;
};

struct Comparison {
    // In the order of the paths' keys, and of the paths where keys are the
    // same.
    std::vector<Difference> differences;
    std::array<std::size_t, kChangeKindCount> counts{};

    // Nothing differs but files updated.
    bool OnlyUpdates() const;
};

// The differences between `baseline` and `current`, whose files are the
// same when `fold` gives their paths one key. Two hashes are the same bytes
// when they are equal but for the letter case of their digits; an empty
// hash (a file that could not be read) is no bytes at all. The baseline's
// paths have keys of their own, as ReadBaseline makes sure; of files listed
// now under one key, the one whose path is the baseline's byte for byte, if
// any, else the first, is the baseline's file. Both must outlive the
// comparison.
Comparison Compare(std::span<const BaselineFile> baseline, std::span<const CurrentFile> current,
                   const PathFolding& fold);
