#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

class VersionSource;

// The most of a version block that is read. A version resource's length is
// a 16-bit field; the ANSI reader asks for room to convert its texts on top.
// A file that claims more gets a block of this size.
constexpr std::uint32_t kMaxVersionBlockBytes = 256 * 1024;

// The one-paragraph summary of the file's version resource: "v. 6.1.760.17, "
// then description and product name, a line break, the copyright. None when
// the file has no version block, it cannot be read, or it is unsafe to
// query (VersionBlockIsSafeToQuery).
std::optional<std::string> FormatVersionSummary(VersionSource& source, const std::string& path);

// Gives `size` zeroed bytes for the block, valid until the summary is built.
using VersionBlockMemory = std::function<std::span<unsigned char>(std::size_t size)>;
// The same, with the block in memory that `memory` gives instead of the heap.
std::optional<std::string> FormatVersionSummary(VersionSource& source, const std::string& path,
                                                const VersionBlockMemory& memory);

// What a file's version resource says the file is, where the summary would
// show it: its file version, "10.0.19041.3636", and its OriginalFilename
// under the first translation. Empty where the block says nothing, or may
// not be queried.
struct VersionFacts {
    std::string fileVersion;
    std::string originalName;
};
VersionFacts ReadVersionFacts(VersionSource& source, const std::string& path);
