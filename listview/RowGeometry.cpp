#include "listview/RowGeometry.h"

#include <algorithm>

namespace {

// The grid line a list draws along the bottom of each row, at any scale.
constexpr int kGridLine = 1;

}  // namespace

bool IsRowHighlighted(const RowHighlightInput& row)
{
    return row.dropHighlighted || (row.selected && (row.listHasFocus || row.showSelectionAlways));
}

PixelRect RowBand(const PixelRect& bounds, const PixelRect& label, int clientRight, int inset)
{
    PixelRect band = bounds;
    band.left = label.left - inset;
    band.right = std::max(band.right, clientRight);
    return band;
}

PixelRect ColumnTextRect(int x, int width, int margin, const PixelRect& bounds)
{
    return {x + margin, bounds.top, x + width - margin, bounds.bottom};
}

int FittedColumnWidth(int clientWidth, int othersWidth, int minimum)
{
    constexpr int kWidestColumn = 0x7FFF;
    const long long width = std::max<long long>(static_cast<long long>(clientWidth) - othersWidth, minimum);
    return static_cast<int>(std::clamp<long long>(width, 0, kWidestColumn));
}

PixelRect TextRowBounds(const PixelRect& bounds, bool gridLines)
{
    PixelRect text = bounds;
    if (gridLines)
        text.bottom = std::max(text.top, text.bottom - kGridLine);
    return text;
}

int RowHeight(int fontHeight, int padding)
{
    return fontHeight + kGridLine + padding;
}

int NumberColumnWidth(int width, int textWidth, int margin)
{
    return std::max(width, textWidth + 2 * margin);
}
