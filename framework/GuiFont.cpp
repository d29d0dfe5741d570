#include "framework/GuiFont.h"

LOGFONTA BoldGuiFont()
{
    LOGFONTA font{};
    if (const HGDIOBJ hGuiFont = ::GetStockObject(DEFAULT_GUI_FONT)) {
        ::GetObjectA(hGuiFont, sizeof font, &font);
    } else {
        font.lfHeight = -11;
        font.lfCharSet = ANSI_CHARSET;
        font.lfOutPrecision = OUT_DEFAULT_PRECIS;
        font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        font.lfQuality = PROOF_QUALITY;
        font.lfPitchAndFamily = FF_ROMAN | VARIABLE_PITCH;
        lstrcpynA(font.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    }
    font.lfWeight = FW_BOLD;
    return font;
}
