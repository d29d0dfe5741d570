#pragma once
#include <optional>
#include <string>

class VersionSource;

// The one-paragraph summary of the file's version resource: "v. 6.1.760.17, "
// then description and product name, a line break, the copyright. None when
// the file has no version block or it cannot be read.
std::optional<std::string> FormatVersionSummary(VersionSource& source, const std::string& path);
