#pragma once
// Arithmetic of the owner-drawn file list: which rows are highlighted, where
// a row's band and its column texts go, and how wide the column that fills the
// list must be.
#include "framework/PixelRect.h"

struct RowHighlightInput {
    bool dropHighlighted = false;
    bool selected = false;
    bool listHasFocus = false;
    bool showSelectionAlways = false;
};

bool IsRowHighlighted(const RowHighlightInput& row);

// The band that paints a row: from `inset` pixels (2 at 96 DPI) left of the
// label to at least the client area's right edge.
PixelRect RowBand(const PixelRect& bounds, const PixelRect& label, int clientRight, int inset);

// The part of a row's bounds its texts are centred in: all of it but the
// line the grid draws over its bottom, when there is a grid.
PixelRect TextRowBounds(const PixelRect& bounds, bool gridLines);

// The height of a row for a font whose cell (ascent and descent) is
// `fontHeight` pixels: the cell, the grid line, and `padding` pixels of air.
int RowHeight(int fontHeight, int padding);

// The width of the number column that shows a number `textWidth` pixels
// wide between margins of `margin` pixels: `width` when that is enough.
int NumberColumnWidth(int width, int textWidth, int margin);

// Where a column's text goes: `margin` inside both edges of the column that
// starts at x and is `width` wide, over the row's height. Narrow columns give
// an empty or inverted rectangle, used as it is.
PixelRect ColumnTextRect(int x, int width, int margin, const PixelRect& bounds);

// Width of the column that fills what the others, `othersWidth` wide in
// all, leave of `clientWidth`, and never less than `minimum`. Never
// negative, and small enough for the 16-bit field that carries it.
int FittedColumnWidth(int clientWidth, int othersWidth, int minimum);
