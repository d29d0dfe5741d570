#include "controls/AboutDlg.h"

#include "framework/GuiFont.h"
#include "res/HomePage.h"
#include "res/resource.h"

// The link opens the home page itself when its text is clicked; the click
// notification it also sends here is left alone, so one click opens the page
// once.
BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(Shell& shell, CWnd* pParent) : CDialog(IDD_ABOUTBOX, pParent), m_link(shell) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HOME_LINK, m_link);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    m_link.SetLinkText(HOME_PAGE_URL);
    m_link.SetLinkUrl(HOME_PAGE_URL);
    m_link.SetTipText("Home");

    const LOGFONTA title = BoldGuiFont();
    m_fontTitle.CreateFontIndirect(&title);
    if (const HWND hTitle = GetDlgItem(IDC_ABOUT_TITLE))
        ::SendMessageA(hTitle, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontTitle.GetSafeHandle()), TRUE);
    return TRUE;
}

void CAboutDlg::OnDestroy()
{
    CWnd::OnDestroy();
    m_fontTitle.DeleteObject();
}
