#include "framework/PaintedStatic.h"

#include "framework/DC.h"

BEGIN_MESSAGE_MAP(CPaintedStatic, CStatic)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
END_MESSAGE_MAP()

void CPaintedStatic::OnPaint()
{
    CPaintDC dc(this);
    PaintContent(dc);
}

void CPaintedStatic::OnPrintClient(CDC* pDC, UINT)
{
    PaintContent(*pDC);
}
