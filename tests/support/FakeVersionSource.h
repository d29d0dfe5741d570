#pragma once
// A version source over values the test sets, laid out in a block the way a
// real reader answers: every value's address lies inside the block. The
// block is one root node whose value holds them all, so it passes the check
// of its lengths.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "inspect/VersionSource.h"

class FakeVersionSource final : public VersionSource {
public:
    struct Value {
        std::string bytes;
        std::uint32_t reportedLength;
    };

    bool readFails = false;
    // Extra bytes the block claims beyond its values.
    std::uint32_t slack = 0;
    // The size of the last block read into.
    std::size_t readSize = 0;
    // The values in the order they lie in the block.
    std::vector<std::pair<std::string, Value>> values;
    // Sub-blocks whose address the source reports outside the block.
    std::map<std::string, std::string> outside;

    // The fixed info with file version words a.b.c.d.
    void SetFileVersion(unsigned a, unsigned b, unsigned c, unsigned d);
    void SetTranslation(unsigned language, unsigned codePage);
    // A string value under the first translation 0409/04b0, reported with
    // its length plus the terminator.
    void SetString(const std::string& name, const std::string& text);
    // Sets or replaces the value at `subBlock`.
    void Set(const std::string& subBlock, Value value);

    std::uint32_t BlockSize(const std::string& path) override;
    std::size_t ReadBlock(const std::string& path, std::span<unsigned char> block) override;
    bool QueryValue(std::span<unsigned char> block, const std::string& subBlock, const void*& value,
                    std::uint32_t& length) override;

private:
    // The root node with every value in its own.
    std::string Block() const;

    std::map<std::string, std::size_t> m_offsets;
};
