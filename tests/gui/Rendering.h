#pragma once
// A window's client area painted into a bitmap, to look at its pixels.
#include <functional>
#include <string>
#include <vector>

#include "framework/Afx.h"

class RenderedClient {
public:
    // Fills a bitmap the size of the client area with `background`, then
    // has the window paint itself into it: its client area (WM_PRINTCLIENT)
    // or only its background (WM_ERASEBKGND).
    RenderedClient(HWND hWnd, COLORREF background, UINT message = WM_PRINTCLIENT);
    // A `width` x `height` bitmap filled with `background`, then drawn on by
    // `draw`: what a window is expected to show, to compare with what it does.
    RenderedClient(int width, int height, COLORREF background, const std::function<void(HDC)>& draw);

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
    // The pixels that `match` accepts, within BoundsOf(match): a row of '#'
    // and '.' for each row of the bounds. The same shape anywhere in the
    // bitmap gives the same rows.
    std::vector<std::string> Shape(const std::function<bool(COLORREF)>& match) const;
    // The colour of the most pixels, leaving out `background`; `background`
    // when there is no other.
    COLORREF CommonestBesides(COLORREF background) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<COLORREF> m_pixels;
};

// What a window draws when it paints itself into a metafile (WM_PRINTCLIENT):
// each text it writes, with the font and colour it writes it in. Exact where
// pixels are not: two font heights may draw the same glyphs.
class RecordedDrawing {
public:
    explicit RecordedDrawing(HWND hWnd);

    struct Text {
        std::wstring text;
        // Zero when the context's own font wrote it.
        LOGFONTW font;
        COLORREF colour;
    };
    std::vector<Text> texts;
};
