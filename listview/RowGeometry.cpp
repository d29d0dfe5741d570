#include "listview/RowGeometry.h"

#include <algorithm>

bool IsRowHighlighted(const RowHighlightInput& row)
{
    return row.dropHighlighted || (row.selected && (row.listHasFocus || row.showSelectionAlways));
}

PixelRect RowBand(const PixelRect& bounds, const PixelRect& label, int clientRight)
{
    PixelRect band = bounds;
    band.left = label.left - 2;
    band.right = std::max(band.right, clientRight);
    return band;
}

PixelRect ColumnTextRect(int x, int width, int margin, const PixelRect& bounds)
{
    return {x + margin, bounds.top, x + width - margin, bounds.bottom};
}

int FittedPathColumnWidth(int clientWidth, int sumOfWidths, int pathColumnWidth)
{
    constexpr int kWidestColumn = 0x7FFF;
    const long long width = static_cast<long long>(clientWidth) - sumOfWidths + pathColumnWidth;
    return static_cast<int>(std::clamp<long long>(width, 0, kWidestColumn));
}
