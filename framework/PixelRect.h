#pragma once
// A rectangle in pixels, as the portable drawing arithmetic of the controls
// and the list computes it; a RECT's fields without the platform's header.

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
