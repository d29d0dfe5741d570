#pragma once
#include <utility>

#include "framework/Afx.h"

// Owns one GDI object and deletes it when destroyed, replaced or told to.
template <typename Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() { DeleteObject(); }

    operator Handle() const { return m_hObject; }
    Handle GetSafeHandle() const { return m_hObject; }

    BOOL Attach(Handle hObject)
    {
        DeleteObject();
        m_hObject = hObject;
        return hObject != nullptr;
    }
    BOOL DeleteObject()
    {
        return m_hObject && ::DeleteObject(std::exchange(m_hObject, nullptr));
    }

private:
    Handle m_hObject = nullptr;
};

class CFont : public CGdiObject<HFONT> {
public:
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, LPCSTR faceName)
    {
        return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                    charSet, outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
    }
    BOOL CreateFontIndirect(const LOGFONTA* pLogFont) { return Attach(::CreateFontIndirectA(pLogFont)); }
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
};

class CBitmap : public CGdiObject<HBITMAP> {
public:
    BOOL CreateCompatibleBitmap(HDC hDC, int width, int height)
    {
        return Attach(::CreateCompatibleBitmap(hDC, width, height));
    }
};
