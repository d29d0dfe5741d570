#pragma once
// A baseline: the file, CSV or JSON Lines, that /verify wrote on a system,
// to be compared with a verification of it later.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "compare/PathFolding.h"

// A baseline's row, its texts in UTF-8 as they were before they were
// written, in the texts of the Baseline it comes from. Empty where the file
// has no such column.
struct BaselineFile {
    std::string_view path;
    std::string_view signature;
    std::string_view signer;
    std::string_view sha256;
    std::string_view catalog;
    std::string_view version = {};
    std::string_view originalName = {};
    std::string_view root = {};

    friend bool operator==(const BaselineFile&, const BaselineFile&) = default;
};

struct Baseline {
    // In the file's order.
    std::vector<BaselineFile> files;
    // It has the columns that tell an update from another change: Version,
    // Original name and Root. A baseline that an earlier Vorlane wrote has
    // none of them.
    bool tellsUpdates = false;
    // Why the bytes are no baseline, in English, to follow "The file is no
    // baseline: ": "it has no Path column". Empty when they are one.
    std::string refusal;
    // What the files' texts point into, one block rather than five strings
    // a row: a move of the baseline leaves it where it is.
    std::unique_ptr<char[]> texts;
};

// Reads the bytes of a baseline: JSON Lines (compare/JsonLinesBaseline.h)
// where they start with an object, else CSV. A CSV's columns are found by
// their names in the header (in any letter case, blanks around them
// ignored): Path and SHA256 must be there; Signature, Signer, Catalog,
// Version, Original name and Root may; any other is ignored. Every row has
// as many fields as the header and a path. In either form, no two files'
// paths have one key, as `fold` keys them. The names are those of /verify's
// columns.
Baseline ReadBaseline(std::string_view bytes, const PathFolding& fold);
