#pragma once
// Arithmetic of the embossed logo: its three shades and where the three
// copies of its text go.
#include "controls/ColourText.h"
#include "framework/PixelRect.h"

// Each channel 20 brighter, 255 at most.
ColourRef Lightened(ColourRef colour);
// Each channel 20 darker, 0 at least.
ColourRef Darkened(ColourRef colour);

// The system's colours of a button: its face (the dialog's background),
// its lit and shaded edges, and its text.
struct ButtonColours {
    ColourRef face;
    ColourRef highlight;
    ColourRef shadow;
    ColourRef text;
};
// The shades the logo's three copies are drawn in.
struct EmbossShades {
    ColourRef dark;
    ColourRef light;
    ColourRef face;
};
// The edges 20 apart from the button's and a face just lighter than the
// dialog, so the name stands out of it only a little; in a high-contrast
// theme the theme's own colours, none shifted, with the face in the text
// colour, so that the name reads as text does.
EmbossShades LogoShades(const ButtonColours& system, bool highContrast);

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
