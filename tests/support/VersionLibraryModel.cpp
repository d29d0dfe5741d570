#include "support/VersionLibraryModel.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

// The block as the library sees it: offsets from its start, every access
// fenced.
class Block {
public:
    explicit Block(std::span<unsigned char> bytes) : m_bytes(bytes) {}

    unsigned char& At(std::size_t offset) const
    {
        if (offset >= m_bytes.size()) {
            std::fprintf(stderr, "The version library would touch byte %zu of a %zu-byte block\n", offset,
                         m_bytes.size());
            std::abort();
        }
        return m_bytes[offset];
    }
    std::size_t Word(std::size_t offset) const { return At(offset) | std::size_t{At(offset + 1)} << 8; }
    unsigned char* Address(std::size_t offset) const { return m_bytes.data() + offset; }

private:
    std::span<unsigned char> m_bytes;
};

std::size_t Align4(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}

// The reader takes a block for the Unicode form when the root's first key
// byte, read as a signed character, is below a blank.
struct Layout {
    const Block& block;
    bool unicode;

    std::size_t CharBytes() const { return unicode ? 2 : 1; }
    std::size_t Key(std::size_t node) const { return node + (unicode ? 6 : 4); }
    unsigned Char(std::size_t node, std::size_t index) const
    {
        const std::size_t at = Key(node) + index * CharBytes();
        return unicode ? static_cast<unsigned>(block.Word(at)) : block.At(at);
    }
    std::size_t Value(std::size_t node) const
    {
        std::size_t length = 0;
        while (Char(node, length) != 0)
            ++length;
        return node + Align4(Key(node) + (length + 1) * CharBytes() - node);
    }
    bool IsText(std::size_t node) const { return unicode && block.Word(node + 4) != 0; }
    std::size_t Children(std::size_t node) const
    {
        return Value(node) + Align4(block.Word(node + 2) * (IsText(node) ? 2 : 1));
    }
    bool KeyIs(std::size_t node, std::string_view key) const
    {
        for (std::size_t i = 0; i < key.size(); ++i) {
            const unsigned c = Char(node, i);
            if (c == 0 || c >= 0x80 ||
                std::tolower(static_cast<int>(c)) != std::tolower(static_cast<unsigned char>(key[i])))
                return false;
        }
        return Char(node, key.size()) == 0;
    }
    std::optional<std::size_t> FindChild(std::size_t node, std::string_view key) const
    {
        for (std::size_t child = Children(node); child < node + block.Word(node);) {
            if (KeyIs(child, key))
                return child;
            if (block.Word(child) == 0)
                return std::nullopt;
            child += Align4(block.Word(child));
        }
        return std::nullopt;
    }
};

// Converts `count` UTF-16 characters at `from` into at most `room` bytes at
// `to`: the bytes written, 0 when they do not fit; with no room, the bytes
// needed.
std::size_t ConvertText(const Block& block, std::size_t from, std::size_t count, std::size_t to, long room)
{
    if (count == 0 || room < 0 || (room > 0 && count > static_cast<std::size_t>(room)))
        return 0;
    for (std::size_t i = 0; room > 0 && i < count; ++i) {
        const std::size_t c = block.Word(from + 2 * i);
        block.At(to + i) = static_cast<unsigned char>(c < 0x80 ? c : '?');
    }
    return count;
}

}  // namespace

VersionLibraryModel::VersionLibraryModel(std::string resource, std::optional<std::uint32_t> claimedSize)
    : m_resource(std::move(resource)), m_claimedSize(claimedSize)
{
}

std::uint32_t VersionLibraryModel::BlockSize(const std::string&)
{
    if (m_claimedSize)
        return *m_claimedSize;
    return m_resource.empty() ? 0 : static_cast<std::uint32_t>(2 * m_resource.size() + 4);
}

std::size_t VersionLibraryModel::ReadBlock(const std::string&, std::span<unsigned char> block)
{
    const std::size_t size = std::min(block.size(), m_resource.size());
    std::memcpy(block.data(), m_resource.data(), size);
    return size;
}

bool VersionLibraryModel::QueryValue(std::span<unsigned char> bytes, const std::string& subBlock,
                                     const void*& value, std::uint32_t& length)
{
    const Block block(bytes);
    const Layout layout{block, static_cast<signed char>(block.At(4)) < ' '};
    std::size_t node = 0;
    for (std::size_t start = 0; start < subBlock.size();) {
        const std::size_t end = std::min(subBlock.find('\\', start), subBlock.size());
        if (end > start) {
            const auto child = layout.FindChild(node, std::string_view(subBlock).substr(start, end - start));
            if (!child)
                return false;
            node = *child;
        }
        start = end + 1;
    }
    const std::size_t at = layout.Value(node);
    length = static_cast<std::uint32_t>(block.Word(node + 2));
    value = block.Address(at);
    if (layout.IsText(node)) {
        const std::size_t rootLength = block.Word(0);
        const std::size_t to = rootLength + 4 + at;
        length = static_cast<std::uint32_t>(
            ConvertText(block, at, length, to, static_cast<long>(rootLength) - static_cast<long>(at)));
        value = block.Address(to);
    }
    return true;
}
