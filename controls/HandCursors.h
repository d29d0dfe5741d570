#pragma once
// The link's two 32 x 32 monochrome cursors: a pointing hand with the
// fingertip at (5, 0), and the same hand with the finger pressed down. Each
// plane is 32 rows of 4 bytes, top row first, the leftmost pixel in the high
// bit; AND 0 and XOR 0 is black, AND 0 and XOR 1 white, AND 1 and XOR 0 the
// screen, AND 1 and XOR 1 the screen inverted.
#include <array>
#include <cstddef>

constexpr int kCursorSize = 32;
constexpr int kCursorHotSpotX = 5;
constexpr int kCursorHotSpotY = 0;
constexpr std::size_t kCursorPlaneBytes = kCursorSize * kCursorSize / 8;

extern const std::array<unsigned char, kCursorPlaneBytes> kHandAnd;
extern const std::array<unsigned char, kCursorPlaneBytes> kHandXor;
extern const std::array<unsigned char, kCursorPlaneBytes> kHandDownAnd;
extern const std::array<unsigned char, kCursorPlaneBytes> kHandDownXor;
