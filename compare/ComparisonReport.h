#pragma once
// What a comparison with a baseline is shown and written as.
#include <string>
#include <utility>
#include <vector>

#include "compare/Comparison.h"
#include "rows/TableSchema.h"
#include "verify/VerificationJob.h"

// The count of each kind of difference on one line: "Added: 1,   Removed: 0,
// Updated: 3,   Downgraded: 0,   Changed: 1,   Signature changed: 0", and
// each kind of file not compared when there are any.
std::string ComparisonCounts(const Comparison& comparison);

// The count of each kind of difference by a name that stays as it is once
// released: "added", "removed", "updated", "downgraded", "changed",
// "signature_changed", "not_compared", "not_read", "folder_not_listed".
std::vector<std::pair<std::string, std::size_t>> NamedComparisonCounts(const Comparison& comparison);

// What a comparison with a baseline of `baselineFiles` files says once
// its verification has ended: "Compared 762 files with the baseline's
// 760.", or once stopped "Stopped after 300 of 762 files: the comparison
// is partial."
std::string ComparisonStatus(const VerificationProgress& progress, std::size_t baselineFiles);

// The columns of the differences: Change, Path, then the signature, the
// signer, the SHA256, the version, the original name and the root before
// and after.
TableSchema<Difference> DifferenceColumns();
