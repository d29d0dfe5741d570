// Random damage to the data the program reads from outside: version blocks
// and the registry's colour texts. The seeds are fixed, so a failure repeats;
// a read outside the data is caught by AddressSanitizer, and a damaged
// version block let through to the version library's model ends the test
// where the library would touch memory outside the block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "controls/ColourText.h"
#include "inspect/VersionSummary.h"
#include "support/VersionBlockBytes.h"
#include "support/VersionLibraryModel.h"

namespace {

void PutWord(std::string& bytes, std::size_t at, std::size_t word)
{
    bytes[at] = static_cast<char>(word & 0xFF);
    bytes[at + 1] = static_cast<char>(word >> 8 & 0xFF);
}

// Both forms, with the texts before the translation or after it, so that a
// cut through a text leaves a translation to look it up by.
std::vector<std::string> SoundBlocks()
{
    std::vector<std::string> blocks;
    for (const BlockForm form : {BlockForm::Ansi, BlockForm::Unicode}) {
        VersionNode tree = SampleVersionTree();
        blocks.push_back(VersionBlockBytes(tree, form));
        std::swap(tree.children[0], tree.children[1]);
        blocks.push_back(VersionBlockBytes(tree, form));
    }
    return blocks;
}

}  // namespace

TEST(Mutation, ADamagedVersionBlockIsRefusedOrSafeForTheVersionLibrary)
{
    const std::vector<std::string> sound = SoundBlocks();
    for (const std::string& block : sound) {
        VersionLibraryModel library(block);
        ASSERT_EQ(FormatVersionSummary(library, "x"), kSampleSummary);
    }
    std::mt19937 random(20261207);
    int summaries = 0;
    for (int round = 0; round < 100000; ++round) {
        std::string bytes = sound[round % sound.size()];
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
        // The size the library claims need not be its own.
        std::optional<std::uint32_t> claimed;
        if (random() % 4 == 0)
            claimed = static_cast<std::uint32_t>(random() % (2 * bytes.size() + 16) + 1);
        VersionLibraryModel library(bytes, claimed);
        if (const auto summary = FormatVersionSummary(library, "x")) {
            ASSERT_NE(summary->find("\r\n"), std::string::npos) << "round " << round;
            ++summaries;
        }
    }
    // Damage to texts and numbers leaves the lengths sound: such blocks are
    // still read.
    EXPECT_GT(summaries, 5000);
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
