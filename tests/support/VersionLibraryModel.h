#pragma once
// A version source that reads a file's version resource by the rules of the
// platform's version library (Wine's, which follows Windows XP): the block
// is sized as twice the resource plus four bytes, values are found by
// trusting every length in the block, and a Unicode block's texts are
// converted into the room behind the block. It checks nothing itself: where
// a length leads it outside the block, it ends the process, as a guard page
// would.
#include <cstdint>
#include <optional>
#include <string>

#include "inspect/VersionSource.h"

class VersionLibraryModel final : public VersionSource {
public:
    // `claimedSize`: the block size to report instead of the library's own
    // (0 for an empty resource: no version block).
    explicit VersionLibraryModel(std::string resource, std::optional<std::uint32_t> claimedSize = std::nullopt);

    std::uint32_t BlockSize(const std::string& path) override;
    std::size_t ReadBlock(const std::string& path, std::span<unsigned char> block) override;
    bool QueryValue(std::span<unsigned char> block, const std::string& subBlock, const void*& value,
                    std::uint32_t& length) override;

private:
    std::string m_resource;
    std::optional<std::uint32_t> m_claimedSize;
};
