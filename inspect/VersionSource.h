#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Reads files' version resources as the platform's version library does: the
// size of a file's version block, the block, then values in it by sub-block.
class VersionSource {
public:
    virtual ~VersionSource() = default;

    // Bytes of the file's version block; 0 when it has none.
    virtual std::uint32_t BlockSize(const std::string& path) = 0;
    // Reads the block into `block`, which is BlockSize bytes long, or
    // shorter: then the block is cut to its length. Gives how many bytes of
    // it the file filled; 0 when it cannot be read.
    virtual std::size_t ReadBlock(const std::string& path, std::span<unsigned char> block) = 0;
    // The address of the value at `subBlock` and the length the block reports
    // for it; false when there is none. The block is not const: the reader
    // may keep converted texts in the block's spare room.
    virtual bool QueryValue(std::span<unsigned char> block, const std::string& subBlock, const void*& value,
                            std::uint32_t& length) = 0;
};
