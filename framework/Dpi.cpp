#include "framework/Dpi.h"

#include "framework/Afx.h"

int ScreenDpi()
{
    // A program aware of the system's DPI keeps it as long as it runs.
    static const int dpi = [] {
        const HDC screen = ::GetDC(nullptr);
        const int pixels = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
        ::ReleaseDC(nullptr, screen);
        return pixels > 0 ? pixels : 96;
    }();
    return dpi;
}

int ScaleForDpi(int pixels)
{
    return ::MulDiv(pixels, ScreenDpi(), 96);
}
