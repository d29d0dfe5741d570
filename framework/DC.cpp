#include "framework/DC.h"

#include "framework/Wnd.h"

CPaintDC::CPaintDC(CWnd* pWnd) : CDC(nullptr), m_hWnd(pWnd->m_hWnd)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}
