#pragma once
// Colours as the platform keeps them, and the text form in which the browser
// settings store the link colours ("0,128,255").
#include <cstddef>
#include <cstdint>

// Red in bits 0-7, green in bits 8-15, blue in bits 16-23, zero above.
using ColourRef = std::uint32_t;

constexpr ColourRef Rgb(unsigned red, unsigned green, unsigned blue)
{
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}

// The colour of the text in `bytes`, read up to its first zero byte and never
// beyond `size`: three decimal numbers separated by commas, each read like
// atoi and cut to its low 8 bits. Where a comma is missing, the last number
// read stands for the channels that follow.
ColourRef ParseColourText(const char* bytes, std::size_t size);
