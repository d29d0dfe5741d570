#pragma once
// Arithmetic of the embossed logo: its three shades and where the three
// copies of its text go.
#include "controls/ColourText.h"
#include "framework/PixelRect.h"

// Each channel 20 brighter, 255 at most.
ColourRef Lightened(ColourRef colour);
// Each channel 20 darker, 0 at least.
ColourRef Darkened(ColourRef colour);

// The rectangles the text is centred in, in the order they are drawn: the
// dark edge, the light edge, then the face on top. The dark one hugs the
// bottom-right corner of the client area (right R, bottom B), inset by
// measures of the context's default font (average width a, height h); the
// others only move its left edge, which moves the centred text half as far.
struct EmbossPasses {
    PixelRect dark;
    PixelRect light;
    PixelRect face;
};
EmbossPasses LogoPassRects(int clientRight, int clientBottom, int aveCharWidth, int charHeight, int textWidth,
                           int textHeight);
