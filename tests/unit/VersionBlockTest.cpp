#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "inspect/VersionBlock.h"
#include "support/VersionBlockBytes.h"

namespace {

struct Case {
    const char* what;
    BlockForm form;
    bool accepted;
    std::function<void(VersionNode&)> changeTree = nullptr;
    std::function<void(std::string&)> changeBytes = nullptr;
    // Bytes of the block that the file did not fill.
    std::size_t unread = 0;
    // Bytes missing from the room behind a Unicode block.
    std::size_t roomShort = 0;
};

VersionNode& Description(VersionNode& root)
{
    return root.children[0].children[0].children[0];
}

// Makes the node, the last of its parent's children, claim the parent's
// next sibling's first bytes.
void LengthenPastItsParent(VersionNode& node, BlockForm form)
{
    node.length = static_cast<std::uint16_t>(VersionBlockBytes(node, form).size() + 8);
}

}  // namespace

TEST(VersionBlock, AcceptsABlockOnlyWhenEveryLengthStaysInsideTheBytesRead)
{
    constexpr BlockForm ansi = BlockForm::Ansi;
    constexpr BlockForm unicode = BlockForm::Unicode;
    const Case table[] = {
        {"sound", ansi, true},
        {"sound", unicode, true},
        {"trailing bytes after the block", unicode, true, nullptr, [](std::string& b) { b += "padding"; }},
        {"translation first", unicode, true, [](VersionNode& t) { std::swap(t.children[0], t.children[1]); }},
        {"no room for the ANSI texts", unicode, false, nullptr, nullptr, 0, 1},
        {"root longer than the bytes read", unicode, false, nullptr, nullptr, 1},
        {"root longer than the bytes read", ansi, false, nullptr, nullptr, 1},
        {"root claims 0x8000 bytes", unicode, false, [](VersionNode& t) { t.length = 0x8000; }},
        {"root shorter than its header", ansi, false, [](VersionNode& t) { t.length = 3; }},
        {"last child past the root", unicode, false, [](VersionNode& t) { t.children[1].length = 0x100; }},
        {"table past its parent", ansi, false, [](VersionNode& t) { t.children[0].children[0].length = 0x180; }},
        // Past its parent, but not past the block: the next node's bytes.
        {"table past its parent, inside the block", unicode, false,
         [](VersionNode& t) { LengthenPastItsParent(t.children[0].children[0], unicode); }},
        {"table past its parent, inside the block", ansi, false,
         [](VersionNode& t) { LengthenPastItsParent(t.children[0].children[0], ansi); }},
        {"zero-length child", unicode, false, [](VersionNode& t) { t.children[1].children[0].length = 0; }},
        {"key cut by its node's length", ansi, false, [](VersionNode& t) { t.children[1].children[0].length = 8; }},
        {"binary value past its node", ansi, false, [](VersionNode& t) { t.children[1].children[0].valueLength = 5; }},
        {"binary value past its node", unicode, false,
         [](VersionNode& t) { t.children[1].children[0].valueLength = 5; }},
        {"text length in bytes where it counts characters", unicode, false,
         [](VersionNode& t) { Description(t).valueLength = 14; }},
        {"text past its node", ansi, false, [](VersionNode& t) { Description(t).valueLength = 0x7FFF; }},
        {"root of neither form", unicode, false, nullptr, [](std::string& b) { b[4] = 2; }},
        {"root of neither form", ansi, false, nullptr, [](std::string& b) { b[4] = '\x80'; }},
    };
    for (const Case& c : table) {
        VersionNode tree = SampleVersionTree();
        const std::size_t soundSize = VersionBlockBytes(tree, c.form).size();
        if (c.changeTree)
            c.changeTree(tree);
        std::string bytes = VersionBlockBytes(tree, c.form);
        if (c.changeBytes)
            c.changeBytes(bytes);
        // The library gives a Unicode block room behind it for ANSI texts,
        // and an ANSI block none.
        std::string buffer = bytes;
        buffer.resize(c.form == unicode ? 2 * soundSize + 4 - c.roomShort : bytes.size());
        const auto* data = reinterpret_cast<const unsigned char*>(buffer.data());
        EXPECT_EQ(VersionBlockIsSafeToQuery({data, buffer.size()}, bytes.size() - c.unread), c.accepted)
            << c.what << (c.form == unicode ? " (Unicode)" : " (ANSI)");
    }
}
