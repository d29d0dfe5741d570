// Random damage to the registry's colour texts. The seed is fixed, so a
// failure repeats. A read outside the text is caught by AddressSanitizer
// where the text ends the heap block, and changes the colour where digits
// follow it. (Version blocks are fuzzed: tools/fuzz.sh.)
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "controls/ColourText.h"

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
        const std::string followed = text + "7,7,7";
        ASSERT_EQ(ParseColourText(bytes.get(), text.size()), ParseColourText(followed.data(), text.size()))
            << "round " << round;
    }
}
