#include "inspect/VersionBlock.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// A node is its length, its value's length, in the Unicode form a type (0
// binary, else text, whose value length counts characters), then its key
// with a terminator; its value and each child start on a 4-byte boundary.
struct Form {
    std::size_t headerBytes;
    std::size_t charBytes;
};
constexpr Form kAnsiForm{4, 1};
constexpr Form kUnicodeForm{6, 2};

// The summary asks for nothing deeper than \StringFileInfo\table\name: the
// reader never walks the children of a node that deep, and what such a node
// holds past its value is not checked.
constexpr std::size_t kQueriedLevels = 3;

// The bytes [begin, end) that hold a run of sibling nodes.
struct Range {
    std::size_t begin;
    std::size_t end;
};

std::size_t Word(std::span<const unsigned char> bytes, std::size_t at)
{
    return bytes[at] | std::size_t{bytes[at + 1]} << 8;
}

std::size_t Align4(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}

// The range of the children of the node at `node`, or none when the node
// does not fit in the bytes up to `limit`.
std::optional<Range> CheckNode(std::span<const unsigned char> bytes, const Form& form, std::size_t node,
                               std::size_t limit)
{
    if (limit - node < form.headerBytes)
        return std::nullopt;
    const std::size_t length = Word(bytes, node);
    if (length < form.headerBytes + form.charBytes || length > limit - node)
        return std::nullopt;
    const std::size_t end = node + length;
    std::size_t key = node + form.headerBytes;
    for (;; key += form.charBytes) {
        if (end - key < form.charBytes)
            return std::nullopt;
        if (std::ranges::all_of(bytes.subspan(key, form.charBytes), [](unsigned char byte) { return byte == 0; }))
            break;
    }
    const std::size_t value = node + Align4(key + form.charBytes - node);
    std::size_t valueBytes = Word(bytes, node + 2);
    if (form.charBytes == 2 && Word(bytes, node + 4) != 0)
        valueBytes *= 2;
    if (valueBytes > 0 && (value > end || end - value < valueBytes))
        return std::nullopt;
    return Range{value + Align4(valueBytes), end};
}

}  // namespace

bool VersionBlockIsSafeToQuery(std::span<const unsigned char> buffer, std::size_t bytesRead)
{
    const std::span<const unsigned char> read = buffer.first(std::min(bytesRead, buffer.size()));
    if (read.size() < kUnicodeForm.headerBytes)
        return false;
    // The reader tells the forms apart by the fifth byte: the Unicode root's
    // type, or the first letter of the ANSI root's key. Anything that either
    // reading could mistake for the other is refused.
    const bool unicode = Word(read, 4) <= 1;
    if (!unicode && (read[4] < 0x20 || read[4] >= 0x7F))
        return false;
    // The ANSI reader converts a Unicode block's texts into the buffer from
    // four bytes past the block's end, up to as many bytes as the block has.
    if (unicode && buffer.size() - 4 < 2 * Word(read, 0))
        return false;

    const Form& form = unicode ? kUnicodeForm : kAnsiForm;
    const std::optional<Range> root = CheckNode(read, form, 0, read.size());
    if (!root)
        return false;
    // Depth first: the runs of siblings still to check, one for each level.
    std::vector<Range> pending{*root};
    while (!pending.empty()) {
        Range& siblings = pending.back();
        if (siblings.begin >= siblings.end) {
            pending.pop_back();
            continue;
        }
        const std::size_t node = siblings.begin;
        const std::optional<Range> children = CheckNode(read, form, node, siblings.end);
        if (!children)
            return false;
        siblings.begin = node + Align4(Word(read, node));
        if (pending.size() < kQueriedLevels)
            pending.push_back(*children);
    }
    return true;
}
