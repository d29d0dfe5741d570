#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <sstream>
#include <string>

#include "controls/ColourText.h"
#include "controls/HandCursors.h"
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

TEST(HandCursors, PlanesAreTheTableByteForByte)
{
    // Rows 0 to 21, top row first: hand AND, hand XOR, hand-down AND, hand-down XOR. Rows 22 to 31 are empty.
    static const char* const rows[] = {
        "F9 FF FF FF  00 00 00 00  FF FF FF FF  00 00 00 00",
        "F0 FF FF FF  06 00 00 00  FF FF FF FF  00 00 00 00",
        "F0 FF FF FF  06 00 00 00  FF FF FF FF  00 00 00 00",
        "F0 FF FF FF  06 00 00 00  FF FF FF FF  06 00 00 00",
        "F0 FF FF FF  06 00 00 00  F0 FF FF FF  06 00 00 00",
        "F0 3F FF FF  06 00 00 00  F0 3F FF FF  06 00 00 00",
        "F0 07 FF FF  06 C0 00 00  F0 07 FF FF  06 C0 00 00",
        "F0 01 FF FF  06 D8 00 00  F0 01 FF FF  06 D8 00 00",
        "F0 00 FF FF  06 DA 00 00  F0 00 FF FF  06 DA 00 00",
        "10 00 7F FF  06 DB 00 00  10 00 7F FF  06 DB 00 00",
        "00 00 7F FF  67 FB 00 00  00 00 7F FF  67 FB 00 00",
        "00 00 7F FF  77 FF 00 00  00 00 7F FF  77 FF 00 00",
        "80 00 7F FF  37 FF 00 00  80 00 7F FF  37 FF 00 00",
        "C0 00 7F FF  17 FF 00 00  C0 00 7F FF  17 FF 00 00",
        "C0 00 7F FF  1F FF 00 00  C0 00 7F FF  1F FF 00 00",
        "E0 00 7F FF  0F FF 00 00  E0 00 7F FF  0F FF 00 00",
        "E0 00 FF FF  0F FE 00 00  E0 00 FF FF  0F FE 00 00",
        "F0 00 FF FF  07 FE 00 00  F0 00 FF FF  07 FE 00 00",
        "F0 00 FF FF  07 FE 00 00  F0 00 FF FF  07 FE 00 00",
        "F8 01 FF FF  03 FC 00 00  F8 01 FF FF  03 FC 00 00",
        "F8 01 FF FF  03 FC 00 00  F8 01 FF FF  03 FC 00 00",
        "F8 01 FF FF  00 00 00 00  F8 01 FF FF  00 00 00 00",
    };
    // Empty rows: AND planes all ones (the screen), XOR planes all zeros.
    std::array<unsigned char, kCursorPlaneBytes> planes[4];
    for (int plane = 0; plane < 4; ++plane)
        planes[plane].fill(plane % 2 == 0 ? 0xFF : 0x00);
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        std::istringstream bytes(rows[row]);
        for (auto& plane : planes) {
            for (std::size_t column = 0; column < 4; ++column) {
                unsigned value;
                bytes >> std::hex >> value;
                plane[row * 4 + column] = static_cast<unsigned char>(value);
            }
        }
    }
    EXPECT_EQ(kHandAnd, planes[0]);
    EXPECT_EQ(kHandXor, planes[1]);
    EXPECT_EQ(kHandDownAnd, planes[2]);
    EXPECT_EQ(kHandDownXor, planes[3]);
}
