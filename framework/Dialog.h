#pragma once
#include "framework/DataExchange.h"
#include "framework/Wnd.h"

// A dialog made from a template in the program's resources, run modally by
// a message loop of its own, so that every message passes through the
// PreTranslateMessage of the windows it is meant for.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Shows the dialog and returns the value given to EndDialog, or -1 when
    // the dialog could not be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    virtual void OnOK();
    virtual void OnCancel();
    // Only top-level windows hear that the system's colours or settings
    // changed: the dialog tells every control in it, then goes on as usual.
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void TellControls(UINT message, WPARAM wParam, LPARAM lParam) const;
    HWND OwnerWindow() const;
    void RunModalLoop();
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    INT_PTR m_nModalResult = -1;
    bool m_bModalEnded = false;
};
