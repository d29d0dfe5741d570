#include "gui/Rendering.h"

#include <algorithm>

RenderedClient::RenderedClient(HWND hWnd, COLORREF background, UINT message)
{
    RECT client;
    ::GetClientRect(hWnd, &client);
    m_width = client.right;
    m_height = client.bottom;

    // Top row first: a negative height.
    const BITMAPINFO info{{sizeof(BITMAPINFOHEADER), m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    const HDC hdc = ::CreateCompatibleDC(nullptr);
    const HBITMAP hBitmap = ::CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    const HBRUSH hBrush = ::CreateSolidBrush(background);
    ::FillRect(hdc, &client, hBrush);
    ::DeleteObject(hBrush);
    ::SendMessageA(hWnd, message, reinterpret_cast<WPARAM>(hdc), message == WM_PRINTCLIENT ? PRF_CLIENT : 0);
    ::GdiFlush();

    const auto* pixels = static_cast<const DWORD*>(bits);
    m_pixels.reserve(static_cast<size_t>(m_width * m_height));
    for (int i = 0; i < m_width * m_height; ++i)
        m_pixels.push_back(RGB(pixels[i] >> 16 & 0xFF, pixels[i] >> 8 & 0xFF, pixels[i] & 0xFF));

    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);
}

RECT RenderedClient::BoundsOf(const std::function<bool(COLORREF)>& match) const
{
    RECT bounds{m_width, m_height, 0, 0};
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            if (match(At(x, y))) {
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x + 1);
                bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
            }
        }
    }
    return bounds.right ? bounds : RECT{};
}

int RenderedClient::Count(const std::function<bool(COLORREF)>& match) const
{
    return static_cast<int>(std::count_if(m_pixels.begin(), m_pixels.end(), match));
}
