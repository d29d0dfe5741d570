#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/ColourText.h"
#include "controls/LinkGeometry.h"

namespace {

ColourRef Parse(const std::string& text)
{
    // As the registry hands it over: a 32-byte buffer cleared to zero.
    char buffer[32] = {};
    std::memcpy(buffer, text.data(), std::min(text.size(), sizeof buffer));
    return ParseColourText(buffer, sizeof buffer);
}

}  // namespace

TEST(ColourText, ReadsThreeNumbersAsRedGreenBlue)
{
    EXPECT_EQ(Parse("0,128,255"), Rgb(0, 128, 255));
    EXPECT_EQ(Parse("0,128,255"), 0x00FF8000u);
    EXPECT_EQ(Parse("12, 34 ,56"), Rgb(12, 34, 56));
    EXPECT_EQ(Parse(" +7,\t8,9xyz"), Rgb(7, 8, 9));
}

TEST(ColourText, MissingCommasRepeatTheLastNumberAndNoDigitsReadZero)
{
    EXPECT_EQ(Parse("10,20"), Rgb(10, 20, 20));
    EXPECT_EQ(Parse("77"), Rgb(77, 77, 77));
    EXPECT_EQ(Parse(""), Rgb(0, 0, 0));
    EXPECT_EQ(Parse("red,,blue"), Rgb(0, 0, 0));
}

TEST(ColourText, KeepsTheLowEightBitsOfEachNumber)
{
    EXPECT_EQ(Parse("300,0,0"), Rgb(44, 0, 0));
    EXPECT_EQ(Parse("-1,0,0"), Rgb(255, 0, 0));
    EXPECT_EQ(Parse("0,-256,513"), Rgb(0, 0, 1));
    // Far beyond any integer type: only the low bits are ever kept.
    EXPECT_EQ(Parse("99999999999999999999999999999,1"), Rgb(255, 1, 1));
}

TEST(ColourText, ReadsAFullBufferWithoutATerminatingZeroWithinItsSize)
{
    // 32 bytes, no zero among them: exactly the buffer, nothing beyond (the
    // sanitizer sees any read past it).
    std::vector<char> bytes(32, ' ');
    std::memcpy(bytes.data(), "1,2,3", 5);
    EXPECT_EQ(ParseColourText(bytes.data(), bytes.size()), Rgb(1, 2, 3));
    std::fill(bytes.begin(), bytes.end(), '9');
    bytes[2] = ',';
    EXPECT_EQ(ParseColourText(bytes.data(), bytes.size()), Rgb(99, 255, 255));
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
