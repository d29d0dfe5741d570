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

CClientDC::CClientDC(const CWnd* pWnd) : CDC(::GetDC(pWnd->m_hWnd)), m_hWnd(pWnd->m_hWnd) {}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, m_hDC);
}
