#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <utility>
#include <vector>

#include "framework/Afx.h"
#include "framework/PixelRect.h"
#include "res/resource.h"

namespace {

constexpr int kCursorSize = 32;
constexpr int kCursorHotSpotX = 5;
constexpr int kCursorHotSpotY = 0;

enum class Pixel { Black, White, Screen, Inverted };

std::ostream& operator<<(std::ostream& out, Pixel pixel)
{
    const char* const names[] = {"black", "white", "screen", "inverted"};
    return out << names[static_cast<int>(pixel)];
}

using Plane = std::vector<BYTE>;

// The pointing finger's two columns: the hot spot's and the one right of it.
const std::set<int> kFinger{kCursorHotSpotX, kCursorHotSpotX + 1};

// One of the program's cursors as it shows: each pixel decoded from the AND
// and XOR bits of the cursor the system loads from the program's resources.
// A monochrome cursor keeps both in its mask bitmap, AND above XOR.
class CursorImage {
public:
    explicit CursorImage(UINT id)
    {
        const HCURSOR hCursor = static_cast<HCURSOR>(
            ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_CURSOR, kCursorSize, kCursorSize, 0));
        ICONINFO info{};
        if (!hCursor || !::GetIconInfo(hCursor, &info))
            return;
        BITMAP mask{};
        ::GetObjectA(info.hbmMask, sizeof mask, &mask);
        std::vector<BYTE> bits(static_cast<size_t>(mask.bmWidthBytes * mask.bmHeight));
        ::GetBitmapBits(info.hbmMask, static_cast<LONG>(bits.size()), bits.data());
        ::DeleteObject(info.hbmMask);
        m_monochrome = !info.hbmColor && mask.bmWidth == kCursorSize && mask.bmHeight == 2 * kCursorSize &&
                       mask.bmWidthBytes == kCursorSize / 8;
        if (info.hbmColor)
            ::DeleteObject(info.hbmColor);
        ::DestroyCursor(hCursor);
        m_hotSpot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
        if (m_monochrome) {
            const auto half = bits.begin() + static_cast<std::ptrdiff_t>(bits.size() / 2);
            m_and.assign(bits.begin(), half);
            m_xor.assign(half, bits.end());
        }
    }

    bool Monochrome() const { return m_monochrome; }
    POINT HotSpot() const { return m_hotSpot; }

    // Past the edges the screen shows.
    Pixel At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= kCursorSize || y >= kCursorSize)
            return Pixel::Screen;
        const bool andBit = Bit(m_and, x, y), xorBit = Bit(m_xor, x, y);
        return andBit ? (xorBit ? Pixel::Inverted : Pixel::Screen) : (xorBit ? Pixel::White : Pixel::Black);
    }

    // The smallest rectangle around every pixel that `pick` takes; empty when there is none.
    template <typename Pick>
    PixelRect Bounds(Pick pick) const
    {
        PixelRect bounds{kCursorSize, kCursorSize, 0, 0};
        for (int y = 0; y < kCursorSize; ++y) {
            for (int x = 0; x < kCursorSize; ++x) {
                if (pick(At(x, y)))
                    bounds = {std::min(bounds.left, x), std::min(bounds.top, y), std::max(bounds.right, x + 1),
                              std::max(bounds.bottom, y + 1)};
            }
        }
        return bounds.right ? bounds : PixelRect{};
    }
    PixelRect DrawnBounds() const { return Bounds([](Pixel p) { return p == Pixel::Black || p == Pixel::White; }); }

    // The columns of row y that show `pixel`.
    std::set<int> Columns(int y, Pixel pixel) const
    {
        std::set<int> columns;
        for (int x = 0; x < kCursorSize; ++x) {
            if (At(x, y) == pixel)
                columns.insert(x);
        }
        return columns;
    }

    // Whether (x, y) or one of the eight pixels around it shows `pixel`.
    bool Touches(int x, int y, Pixel pixel) const
    {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if ((dx || dy) && At(x + dx, y + dy) == pixel)
                    return true;
            }
        }
        return false;
    }

    // The white pixels reached from (x, y) through left, right, up and down steps.
    std::set<std::pair<int, int>> WhitePieceAt(int x, int y) const
    {
        std::set<std::pair<int, int>> piece;
        std::vector<std::pair<int, int>> open{{x, y}};
        while (!open.empty()) {
            const auto [px, py] = open.back();
            open.pop_back();
            if (At(px, py) != Pixel::White || !piece.insert({px, py}).second)
                continue;
            open.insert(open.end(), {{px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}});
        }
        return piece;
    }

    // The finger: from the top of the hand down to the knuckles beside it, the
    // rows whose white lies within the finger's columns.
    int FingerRows() const
    {
        int rows = 0;
        for (int y = DrawnBounds().top; y < kCursorSize; ++y) {
            const std::set<int> white = Columns(y, Pixel::White);
            if (!std::includes(kFinger.begin(), kFinger.end(), white.begin(), white.end()))
                break;
            rows += !white.empty();
        }
        return rows;
    }

private:
    static bool Bit(const Plane& plane, int x, int y)
    {
        const auto at = static_cast<std::size_t>(y * kCursorSize + x) / 8;
        return at < plane.size() && (plane[at] & 0x80 >> x % 8);
    }

    bool m_monochrome = false;
    POINT m_hotSpot{-1, -1};
    Plane m_and;
    Plane m_xor;
};

}  // namespace

TEST(HandCursors, EachIsA32By32MonochromeCursorWithTheHotSpotAtTheFingertip)
{
    for (const UINT id : {IDR_HAND_CURSOR, IDR_HAND_DOWN_CURSOR}) {
        const CursorImage image(id);
        EXPECT_TRUE(image.Monochrome()) << id;
        EXPECT_EQ(image.HotSpot().x, kCursorHotSpotX) << id;
        EXPECT_EQ(image.HotSpot().y, kCursorHotSpotY) << id;
    }
}

TEST(HandCursors, EachIsOneWhitePieceInsideAThinBlackOutline)
{
    const CursorImage kHand(IDR_HAND_CURSOR);
    const CursorImage kHandDown(IDR_HAND_DOWN_CURSOR);
    const struct {
        const char* name;
        const CursorImage& image;
    } cursors[] = {{"hand", kHand}, {"hand down", kHandDown}};
    for (const auto& cursor : cursors) {
        SCOPED_TRACE(cursor.name);
        const CursorImage& image = cursor.image;
        std::set<std::pair<int, int>> white;
        for (int y = 0; y < kCursorSize; ++y) {
            for (int x = 0; x < kCursorSize; ++x) {
                const Pixel pixel = image.At(x, y);
                if (pixel == Pixel::White) {
                    white.insert({x, y});
                    // Enclosed: no side of a white pixel shows the screen.
                    const std::pair<int, int> sides[] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
                    for (const auto& [sideX, sideY] : sides)
                        EXPECT_NE(image.At(sideX, sideY), Pixel::Screen) << x << ',' << y;
                }
                // No black pixel stands apart from the inside it outlines.
                if (pixel == Pixel::Black) {
                    EXPECT_TRUE(image.Touches(x, y, Pixel::White)) << x << ',' << y;
                }
            }
        }
        ASSERT_FALSE(white.empty());
        EXPECT_EQ(image.WhitePieceAt(white.begin()->first, white.begin()->second), white);
    }
}

TEST(HandCursors, TheHandPointsAFingerStraightUpToTheHotSpotAndInvertsNothing)
{
    const CursorImage kHand(IDR_HAND_CURSOR);
    // 17 pixels wide, 22 tall, from the top-left corner: the thumb reaches the left edge.
    EXPECT_EQ(kHand.Bounds([](Pixel p) { return p != Pixel::Screen; }), (PixelRect{0, 0, 17, 22}));
    EXPECT_EQ(kHand.Bounds([](Pixel p) { return p == Pixel::Inverted; }), PixelRect{});
    // The fingertip's outline is the top row of the hand, at the hot spot and beside it.
    EXPECT_EQ(kHand.At(kCursorHotSpotX, kCursorHotSpotY), Pixel::Black);
    EXPECT_EQ(kHand.Columns(kCursorHotSpotY, Pixel::Black), kFinger);
    EXPECT_EQ(kHand.DrawnBounds().top, kCursorHotSpotY);
    // Below the tip, a finger two pixels wide all the way down to the knuckles of the others.
    EXPECT_GE(kHand.FingerRows(), 4);
    for (int y = kCursorHotSpotY + 1; y <= kCursorHotSpotY + kHand.FingerRows(); ++y)
        EXPECT_EQ(kHand.Columns(y, Pixel::White), kFinger) << y;
}

TEST(HandCursors, ThePressedHandIsTheHandWithAShorterFingerAndAnInvertedTip)
{
    const CursorImage kHand(IDR_HAND_CURSOR);
    const CursorImage kHandDown(IDR_HAND_DOWN_CURSOR);
    const PixelRect hand = kHand.DrawnBounds(), pressed = kHandDown.DrawnBounds();
    EXPECT_EQ(pressed.left, hand.left);
    EXPECT_EQ(pressed.right, hand.right);
    EXPECT_EQ(pressed.bottom, hand.bottom);
    EXPECT_GT(pressed.top, hand.top + 1);
    // Below its fingertip the same hand, pixel for pixel.
    for (int y = pressed.top; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x)
            EXPECT_EQ(kHandDown.At(x, y), kHand.At(x, y)) << x << ',' << y;
    }
    EXPECT_GT(kHandDown.FingerRows(), 0);
    EXPECT_LT(kHandDown.FingerRows(), kHand.FingerRows());
    // The tip: the screen inverted just above the finger, and nothing else shown above the hand.
    EXPECT_EQ(kHandDown.Columns(pressed.top - 1, Pixel::Inverted), kFinger);
    EXPECT_EQ(kHandDown.Bounds([](Pixel p) { return p == Pixel::Inverted; }),
              (PixelRect{kCursorHotSpotX, pressed.top - 1, kCursorHotSpotX + 2, pressed.top}));
    EXPECT_EQ(kHandDown.Bounds([](Pixel p) { return p != Pixel::Screen; }).top, pressed.top - 1);
}
