#include "gui/Rendering.h"

#include <algorithm>
#include <map>

namespace {

SIZE ClientSize(HWND hWnd)
{
    RECT client;
    ::GetClientRect(hWnd, &client);
    return {client.right, client.bottom};
}

bool IsStockFont(DWORD index)
{
    return ::GetObjectType(::GetStockObject(static_cast<int>(index))) == OBJ_FONT;
}

}  // namespace

RenderedClient::RenderedClient(HWND hWnd, COLORREF background, UINT message)
    : RenderedClient(ClientSize(hWnd).cx, ClientSize(hWnd).cy, background, [&](HDC hdc) {
          ::SendMessageA(hWnd, message, reinterpret_cast<WPARAM>(hdc), message == WM_PRINTCLIENT ? PRF_CLIENT : 0);
      })
{
}

RenderedClient::RenderedClient(int width, int height, COLORREF background, const std::function<void(HDC)>& draw)
    : m_width(width), m_height(height)
{
    // Top row first: a negative height.
    const BITMAPINFO info{{sizeof(BITMAPINFOHEADER), m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    const HDC hdc = ::CreateCompatibleDC(nullptr);
    const HBITMAP hBitmap = ::CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    const HBRUSH hBrush = ::CreateSolidBrush(background);
    const RECT all{0, 0, m_width, m_height};
    ::FillRect(hdc, &all, hBrush);
    ::DeleteObject(hBrush);
    draw(hdc);
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

std::vector<std::string> RenderedClient::Shape(const std::function<bool(COLORREF)>& match) const
{
    const RECT bounds = BoundsOf(match);
    std::vector<std::string> rows;
    for (int y = bounds.top; y < bounds.bottom; ++y) {
        std::string& row = rows.emplace_back();
        for (int x = bounds.left; x < bounds.right; ++x)
            row += match(At(x, y)) ? '#' : '.';
    }
    return rows;
}

COLORREF RenderedClient::CommonestBesides(COLORREF background) const
{
    std::map<COLORREF, int> counts;
    for (const COLORREF pixel : m_pixels) {
        if (pixel != background)
            ++counts[pixel];
    }
    const auto commonest = std::max_element(counts.begin(), counts.end(),
                                            [](const auto& a, const auto& b) { return a.second < b.second; });
    return commonest == counts.end() ? background : commonest->first;
}

RecordedDrawing::RecordedDrawing(HWND hWnd)
{
    const HDC hdc = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ::SendMessageA(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(hdc), PRF_CLIENT);
    const HENHMETAFILE hMetafile = ::CloseEnhMetaFile(hdc);
    std::vector<BYTE> bytes(::GetEnhMetaFileBits(hMetafile, 0, nullptr));
    ::GetEnhMetaFileBits(hMetafile, static_cast<UINT>(bytes.size()), bytes.data());
    ::DeleteEnhMetaFile(hMetafile);

    // Fonts by their index in the metafile's handle table.
    std::map<DWORD, LOGFONTW> fonts;
    LOGFONTW font{};
    COLORREF colour = 0;
    for (size_t at = 0; at + sizeof(EMR) <= bytes.size();) {
        const BYTE* record = bytes.data() + at;
        const EMR& header = *reinterpret_cast<const EMR*>(record);
        if (header.nSize < sizeof(EMR) || at + header.nSize > bytes.size())
            break;
        switch (header.iType) {
        case EMR_EXTCREATEFONTINDIRECTW: {
            const auto& create = *reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(record);
            fonts[create.ihFont] = create.elfw.elfLogFont;
            break;
        }
        case EMR_SELECTOBJECT: {
            const DWORD object = reinterpret_cast<const EMRSELECTOBJECT*>(record)->ihObject;
            if (const auto found = fonts.find(object); found != fonts.end())
                font = found->second;
            else if (object & ENHMETA_STOCK_OBJECT && IsStockFont(object & ~ENHMETA_STOCK_OBJECT))
                font = {};
            break;
        }
        case EMR_DELETEOBJECT:
            fonts.erase(reinterpret_cast<const EMRDELETEOBJECT*>(record)->ihObject);
            break;
        case EMR_SETTEXTCOLOR:
            colour = reinterpret_cast<const EMRSETTEXTCOLOR*>(record)->crColor;
            break;
        case EMR_EXTTEXTOUTW: {
            const EMRTEXT& text = reinterpret_cast<const EMREXTTEXTOUTW*>(record)->emrtext;
            const auto* chars = reinterpret_cast<const wchar_t*>(record + text.offString);
            texts.push_back({std::wstring(chars, text.nChars), font, colour});
            break;
        }
        default:
            break;
        }
        at += header.nSize;
    }
}
