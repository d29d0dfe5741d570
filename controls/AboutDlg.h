#pragma once
#include "controls/HyperLink.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"

// The About box: the program's icon, name and version in bold, what it does,
// the copyright, and a link to the maker's home page.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(Shell& shell, CWnd* pParent = nullptr);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    CHyperLink m_link;
    CFont m_fontTitle;
};
