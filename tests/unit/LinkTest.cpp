#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "controls/ColourText.h"
#include "controls/LinkGeometry.h"

TEST(ColourText, ReadsRedGreenBlueLikeAtoiKeepingTheLowEightBits)
{
    const struct {
        const char* text;
        ColourRef expected;
    } rows[] = {
        {"0,128,255", Rgb(0, 128, 255)},
        {"12, 34 ,56", Rgb(12, 34, 56)},
        {" +7,\t8,9xyz", Rgb(7, 8, 9)},
        // Missing commas repeat the last number; no digits read zero.
        {"10,20", Rgb(10, 20, 20)},
        {"77", Rgb(77, 77, 77)},
        {"", Rgb(0, 0, 0)},
        {"red,,blue", Rgb(0, 0, 0)},
        {"300,0,0", Rgb(44, 0, 0)},
        {"-1,0,0", Rgb(255, 0, 0)},
        {"0,-256,513", Rgb(0, 0, 1)},
        // Far beyond any integer type: only the low bits are ever kept.
        {"99999999999999999999999999999,1", Rgb(255, 1, 1)},
    };
    for (const auto& row : rows) {
        // As the registry hands it over: a 32-byte buffer cleared to zero.
        char buffer[32] = {};
        std::memcpy(buffer, row.text, std::min(std::strlen(row.text), sizeof buffer));
        EXPECT_EQ(ParseColourText(buffer, sizeof buffer), row.expected) << '"' << row.text << '"';
    }
    EXPECT_EQ(Rgb(0, 128, 255), 0x00FF8000u);  // laid out as a COLORREF
}

TEST(ColourText, ReadsAFullBufferWithoutATerminatingZeroWithinItsSize)
{
    // 32 bytes, no zero among them: exactly the buffer, nothing beyond (the sanitizer sees any read past it).
    std::string bytes = "1,2,3" + std::string(27, ' ');
    EXPECT_EQ(ParseColourText(bytes.data(), 32), Rgb(1, 2, 3));
    bytes = "99," + std::string(29, '9');
    EXPECT_EQ(ParseColourText(bytes.data(), 32), Rgb(99, 255, 255));
    // A zero ends the text even when more bytes follow.
    const char early[32] = "5,6,7\0" "8,9,10";
    EXPECT_EQ(ParseColourText(early, sizeof early), Rgb(5, 6, 7));
}

TEST(LinkHitRect, EndsHalfAnAverageCharacterPastTheText)
{
    const PixelRect client{0, 0, 126, 13};
    EXPECT_EQ(LinkHitRect(client, 100, 7), (PixelRect{0, 0, 103, 13}));
    EXPECT_EQ(LinkHitRect(client, 100, 6), (PixelRect{0, 0, 103, 13}));
    // A text wider than the control reaches past its right edge.
    EXPECT_EQ(LinkHitRect(client, 200, 5), (PixelRect{0, 0, 202, 13}));
}
