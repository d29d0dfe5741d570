#pragma once
// The columns a baseline's files are read from, by their /verify names in
// CSV or in JSON Lines.
#include <array>
#include <cstddef>
#include <string_view>

#include "compare/BaselineReader.h"
#include "verify/VerificationReport.h"

struct BaselineColumn {
    VerifiedColumn::Name name;
    std::string_view BaselineFile::*field;
};

// Path and SHA256 first: a baseline must have those two. The last three
// tell an update from another change.
inline constexpr std::array<BaselineColumn, 8> kBaselineColumns = {{
    {VerifiedColumn::kPath, &BaselineFile::path},
    {VerifiedColumn::kSha256, &BaselineFile::sha256},
    {VerifiedColumn::kSignature, &BaselineFile::signature},
    {VerifiedColumn::kSigner, &BaselineFile::signer},
    {VerifiedColumn::kCatalog, &BaselineFile::catalog},
    {VerifiedColumn::kVersion, &BaselineFile::version},
    {VerifiedColumn::kOriginalName, &BaselineFile::originalName},
    {VerifiedColumn::kRoot, &BaselineFile::root},
}};
inline constexpr std::size_t kSha256Column = 1;
inline constexpr std::size_t kFirstTellingColumn = 5;
