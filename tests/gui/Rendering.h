#pragma once
// A window's client area painted into a bitmap, to look at its pixels.
#include <functional>
#include <vector>

#include "framework/Afx.h"

class RenderedClient {
public:
    // Fills a bitmap the size of the client area with `background`, then
    // has the window paint itself into it: its client area (WM_PRINTCLIENT)
    // or only its background (WM_ERASEBKGND).
    RenderedClient(HWND hWnd, COLORREF background, UINT message = WM_PRINTCLIENT);

    COLORREF At(int x, int y) const { return m_pixels[static_cast<size_t>(y * m_width + x)]; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The smallest rectangle around every pixel that `match` accepts; empty
    // (all 0) when there is none. Right and bottom are exclusive.
    RECT BoundsOf(const std::function<bool(COLORREF)>& match) const;
    int Count(const std::function<bool(COLORREF)>& match) const;
    int Count(COLORREF colour) const
    {
        return Count([colour](COLORREF pixel) { return pixel == colour; });
    }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};
