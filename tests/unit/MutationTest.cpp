// Random damage to the data the program reads from outside: version blocks
// and the registry's colour texts. The seeds are fixed, so a failure repeats;
// a read outside the data is caught by AddressSanitizer.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "controls/ColourText.h"
#include "inspect/VersionSource.h"
#include "inspect/VersionSummary.h"

namespace {

void PutWord(std::string& bytes, std::size_t at, std::size_t word)
{
    bytes[at] = static_cast<char>(word & 0xFF);
    bytes[at + 1] = static_cast<char>(word >> 8 & 0xFF);
}

void PadTo4(std::string& bytes)
{
    bytes.resize((bytes.size() + 3) & ~std::size_t{3}, '\0');
}

// A node of a version block as the ANSI reader gives it: its length, its
// value's length, its key with a terminator, then value and children, each
// starting on a 4-byte boundary.
std::string Node(const std::string& key, const std::string& value, const std::vector<std::string>& children = {})
{
    std::string node(4, '\0');
    node += key + '\0';
    PadTo4(node);
    node += value;
    for (const std::string& child : children) {
        PadTo4(node);
        node += child;
    }
    PutWord(node, 0, node.size());
    PutWord(node, 2, value.size());
    return node;
}

// A block with its texts before the translation, as resource compilers
// write it, or after it, so that a cut through a text leaves a translation
// to look it up by.
std::string ValidBlock(bool translationFirst)
{
    std::string fixed(52, '\0');
    fixed.replace(0, 4, "\xBD\x04\xEF\xFE", 4);
    PutWord(fixed, 10, 6);
    PutWord(fixed, 8, 1);
    PutWord(fixed, 14, 760);
    PutWord(fixed, 12, 17);
    const std::string texts = Node("StringFileInfo", "",
                                   {Node("040904b0", "",
                                         {Node("FileDescription", std::string("Kernel") + '\0'),
                                          Node("ProductName", std::string("Windows") + '\0'),
                                          Node("LegalCopyright", std::string("(c) Halvory") + '\0')})});
    const std::string translation =
        Node("VarFileInfo", "", {Node("Translation", std::string("\x09\x04\xb0\x04", 4))});
    return Node("VS_VERSION_INFO", fixed, translationFirst ? std::vector{translation, texts} : std::vector{texts, translation});
}

// Finds values in a (possibly damaged) block as a reader that trusts the
// block's own lengths would: the address it gives may lie anywhere in the
// block, with any length. Its own reads stay inside the block.
class BlockReader final : public VersionSource {
public:
    explicit BlockReader(std::string bytes, std::uint32_t claimedSize)
        : m_bytes(std::move(bytes)), m_claimedSize(claimedSize)
    {
    }

    std::uint32_t BlockSize(const std::string&) override { return m_claimedSize; }
    bool ReadBlock(const std::string&, std::vector<unsigned char>& block) override
    {
        std::memcpy(block.data(), m_bytes.data(), std::min(block.size(), m_bytes.size()));
        return true;
    }
    bool QueryValue(std::vector<unsigned char>& block, const std::string& subBlock, const void*& value,
                    std::uint32_t& length) override
    {
        std::size_t node = 0;
        for (std::size_t start = 1; start < subBlock.size();) {
            std::size_t end = subBlock.find('\\', start);
            if (end == std::string::npos)
                end = subBlock.size();
            if (!Child(block, node, subBlock.substr(start, end - start), node))
                return false;
            start = end + 1;
        }
        if (node + 4 > block.size())
            return false;
        value = block.data() + std::min(ValueAt(block, node), block.size());
        length = Word(block, node + 2);
        return true;
    }

private:
    static std::size_t Word(const std::vector<unsigned char>& block, std::size_t at)
    {
        return at + 2 <= block.size() ? block[at] | block[at + 1] << 8 : 0;
    }
    static std::size_t Align(std::size_t at) { return (at + 3) & ~std::size_t{3}; }
    static std::size_t ValueAt(const std::vector<unsigned char>& block, std::size_t node)
    {
        std::size_t at = node + 4;
        while (at < block.size() && block[at])
            ++at;
        return Align(at + 1);
    }
    static bool Child(const std::vector<unsigned char>& block, std::size_t node, const std::string& key,
                      std::size_t& found)
    {
        const std::size_t end = std::min(node + Word(block, node), block.size());
        for (std::size_t child = Align(ValueAt(block, node) + Word(block, node + 2)); child + 4 < end;) {
            const std::size_t length = Word(block, child);
            const std::size_t keyEnd = std::min(child + 4 + key.size(), block.size());
            if (keyEnd < block.size() && std::memcmp(block.data() + child + 4, key.data(), keyEnd - child - 4) == 0 &&
                block[keyEnd] == 0) {
                found = child;
                return true;
            }
            if (length == 0)
                return false;
            child = Align(child + length);
        }
        return false;
    }

    std::string m_bytes;
    std::uint32_t m_claimedSize;
};

}  // namespace

TEST(Mutation, VersionSummaryOfADamagedBlockReadsNothingOutsideIt)
{
    const std::string valid[] = {ValidBlock(false), ValidBlock(true)};
    for (const std::string& block : valid) {
        BlockReader reader(block, static_cast<std::uint32_t>(block.size()));
        ASSERT_EQ(FormatVersionSummary(reader, "x"), "v. 6.1.760.17, Kernel, Windows\r\n(c) Halvory");
    }
    std::mt19937 random(20261207);
    for (int round = 0; round < 100000; ++round) {
        std::string bytes = valid[round % 2];
        const int damages = 1 + static_cast<int>(random() % 6);
        for (int n = 0; n < damages; ++n) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 4) {
            case 0:
                bytes[at] = static_cast<char>(random());
                break;
            case 1:  // a length field anywhere
                if (at + 1 < bytes.size())
                    PutWord(bytes, at & ~std::size_t{1}, random() % 0x10000);
                break;
            case 2:
                bytes.resize(std::max<std::size_t>(at, 1));
                break;
            default:
                bytes.insert(at, std::string(random() % 8, static_cast<char>(random())));
                break;
            }
        }
        // The size the file claims need not be the block's.
        const std::uint32_t claimed =
            random() % 4 == 0 ? static_cast<std::uint32_t>(random() % (bytes.size() + 16) + 1)
                              : static_cast<std::uint32_t>(bytes.size());
        BlockReader reader(bytes, claimed);
        const auto summary = FormatVersionSummary(reader, "x");
        ASSERT_TRUE(summary && summary->find("\r\n") != std::string::npos) << "round " << round;
    }
}

TEST(Mutation, ColourTextOfAnyBytesReadsNothingBeyondItsSize)
{
    const std::string valid = "0,128,255";
    std::mt19937 random(7122026);
    for (int round = 0; round < 100000; ++round) {
        std::string text = valid;
        for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n) {
            const std::size_t at = random() % (text.size() + 1);
            if (random() % 2)
                text.insert(at, 1, "0123456789,-+ \t\0x\xff"[random() % 18]);
            else if (at < text.size())
                text.erase(at, 1);
        }
        // Exactly the text's bytes on the heap, no terminator after them.
        const auto bytes = std::make_unique<char[]>(text.size());
        std::memcpy(bytes.get(), text.data(), text.size());
        const ColourRef colour = ParseColourText(bytes.get(), text.size());
        ASSERT_EQ(colour & 0xFF000000u, 0u) << "round " << round;
    }
}
