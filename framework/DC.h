#pragma once
#include "framework/Afx.h"

class CWnd;

// A device context that this object does not own.
class CDC {
public:
    explicit CDC(HDC hDC) : m_hDC(hDC) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    operator HDC() const { return m_hDC; }

    int SaveDC() const { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) const { return ::RestoreDC(m_hDC, nSavedDC); }
    COLORREF SetTextColor(COLORREF color) const { return ::SetTextColor(m_hDC, color); }
    COLORREF SetBkColor(COLORREF color) const { return ::SetBkColor(m_hDC, color); }
    void FillRect(const RECT* pRect, HBRUSH hBrush) const { ::FillRect(m_hDC, pRect, hBrush); }
    SIZE GetTextExtent(LPCSTR text, int length) const
    {
        SIZE size{};
        ::GetTextExtentPoint32A(m_hDC, text, length, &size);
        return size;
    }
    SIZE GetTextExtent(LPCWSTR text, int length) const
    {
        SIZE size{};
        ::GetTextExtentPoint32W(m_hDC, text, length, &size);
        return size;
    }
    // `text` is written to with DT_MODIFYSTRING.
    int DrawText(LPWSTR text, int length, RECT* pRect, UINT format) const
    {
        return ::DrawTextW(m_hDC, text, length, pRect, format);
    }
    int DrawText(LPCSTR text, int length, RECT* pRect, UINT format) const
    {
        return ::DrawTextA(m_hDC, text, length, pRect, format);
    }
    BOOL DrawIcon(int x, int y, HICON hIcon) const { return ::DrawIcon(m_hDC, x, y, hIcon); }
    HGDIOBJ SelectObject(HGDIOBJ hObject) const { return ::SelectObject(m_hDC, hObject); }
    int SetBkMode(int mode) const { return ::SetBkMode(m_hDC, mode); }
    BOOL GetTextMetrics(TEXTMETRICA* pMetrics) const { return ::GetTextMetricsA(m_hDC, pMetrics); }
    BOOL BitBlt(int x, int y, int width, int height, HDC hSource, int xSource, int ySource, DWORD rop) const
    {
        return ::BitBlt(m_hDC, x, y, width, height, hSource, xSource, ySource, rop);
    }

protected:
    HDC m_hDC;
};

// A memory device context like `hDC`, deleted with this object.
class CMemoryDC : public CDC {
public:
    explicit CMemoryDC(HDC hDC) : CDC(::CreateCompatibleDC(hDC)) {}
    ~CMemoryDC() { ::DeleteDC(m_hDC); }
};

// The device context of a window's client area, released with this object.
class CClientDC : public CDC {
public:
    explicit CClientDC(const CWnd* pWnd);
    ~CClientDC();

private:
    HWND m_hWnd;
};

// The device context of a WM_PAINT: BeginPaint on construction, EndPaint on
// destruction.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();

private:
    PAINTSTRUCT m_ps{};
    HWND m_hWnd;
};
