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
    // The version resource's file version, "10.0.19041.3636", and original
    // name; the SHA-256 of the signer's root certificate. Empty where there
    // is none.
    std::string version = {};
    std::string originalName = {};
    std::string root = {};
    // False for a file that a stopped verification did not reach; then
    // only its path counts.
    bool verified = true;
};

// The values index per-kind counts.
enum class ChangeKind {
    // Listed now, not in the baseline, whether verified or not.
    Added,
    // In the baseline, not listed now, though every folder was listed.
    Removed,
    // Other bytes of the same program, a later version of it: signed and
    // trusted both times, by the same signer under the same root.
    Updated,
    // The same, but an earlier version than the baseline's.
    Downgraded,
    // Other bytes any other way: not trusted either time, another signer
    // or root, another program (original name), the same version built
    // again; or any other bytes against a baseline that cannot tell.
    Changed,
    // The same bytes, another signature text or signer.
    SignatureChanged,
    // In the baseline, but not verified this time or when the baseline was
    // made (a stopped verification's).
    NotCompared,
    // Read or checked neither this time nor when the baseline was made, or
    // not both times: what it holds is not known.
    NotRead,
    // In the baseline, not listed now, in a folder that could not be
    // listed this time.
    FolderNotListed,
};
inline constexpr std::size_t kChangeKindCount = 9;

// "Added", "Removed", "Updated", "Downgraded", "Changed", "Signature
// changed", "Not compared (stopped)", "Not compared (not read)",
// "Not compared (folder not listed)".
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
    // The baseline lacks what tells an update from any other change (it
    // was written before files' versions, original names and roots were),
    // and bytes that differ made some file Changed.
    bool updatesUntold = false;

    // Nothing differs but files updated.
    bool OnlyUpdates() const;
};

// The differences between `baseline` and `current`, whose files are the
// same when `fold` gives their paths one key; `unlistedFolders` are the
// UTF-8 paths of the folders that could not be listed now, whose files are
// not compared. Two hashes are the same bytes when they are equal but for
// the letter case of their digits; an empty hash (a file that could not be
// read) is no bytes at all. Original names are the same when `fold` gives
// them one key. The baseline's paths have keys of their own, as
// ReadBaseline makes sure; of files listed now under one key, the one whose
// path is the baseline's byte for byte, if any, else the first, is the
// baseline's file. Both must outlive the comparison.
Comparison Compare(const Baseline& baseline, std::span<const CurrentFile> current, const PathFolding& fold,
                   std::span<const std::string> unlistedFolders = {});
