#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <string>
#include <vector>

#include "framework/DC.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/Gdi.h"
#include "framework/ListCtrl.h"
#include "framework/PaintedStatic.h"
#include "gui/DialogDriver.h"
#include "gui/Rendering.h"
#include "res/resource.h"

namespace {

std::vector<std::string> g_events;

class ReflectingList : public CListCtrl {
public:
    int preSubclassCalls = 0;
    bool hadHandleInPreSubclass = false;

protected:
    void PreSubclassWindow() override
    {
        ++preSubclassCalls;
        hadHandleInPreSubclass = m_hWnd != nullptr;
    }
    void OnColumnClick(NMHDR* pNotify, LRESULT* pResult)
    {
        g_events.push_back("list: column " + std::to_string(reinterpret_cast<NMLISTVIEW*>(pNotify)->iSubItem));
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

class RecordingEdit : public CEdit {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_CHAR)
            g_events.push_back("edit: char");
        return CEdit::PreTranslateMessage(pMsg);
    }
};

// A dialog of the main template with two of its controls bound to classes
// that record what reaches them.
class FrameworkDialog : public CDialog {
public:
    FrameworkDialog() : CDialog(IDD_MAIN) {}
    ReflectingList m_list;
    RecordingEdit m_edit;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_CHAR)
            g_events.push_back("dialog: char");
        return CDialog::PreTranslateMessage(pMsg);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_FILE_LIST, m_list);
        DDX_Control(pDX, IDC_SEARCH_TEXT, m_edit);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_list.InsertColumn(0, "first", LVCFMT_LEFT, 100);
        m_list.InsertColumn(1, "second", LVCFMT_LEFT, 100);
        m_list.SendMessage(LVM_SETITEMCOUNT, 1);
        return TRUE;
    }
    void OnClickList(NMHDR*, LRESULT*) { g_events.push_back("dialog: click"); }
    void OnColumnClickSeenByParent(NMHDR*, LRESULT*) { g_events.push_back("dialog: column"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FrameworkDialog, CDialog)
    ON_NOTIFY(NM_CLICK, IDC_FILE_LIST, OnClickList)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_FILE_LIST, OnColumnClickSeenByParent)
END_MESSAGE_MAP()

// Fills its client area with one colour, and notes the window of every
// context it paints into.
class Swatch : public CPaintedStatic {
public:
    static constexpr COLORREF kColour = RGB(10, 200, 30);
    std::vector<HWND> paintedWindows;

protected:
    void PaintContent(CDC& dc) override
    {
        RECT client;
        GetClientRect(&client);
        dc.FillRect(&client, CBrush(kColour));
        paintedWindows.push_back(::WindowFromDC(dc));
    }
};

class SwatchDialog : public CDialog {
public:
    SwatchDialog() : CDialog(IDD_ABOUTBOX) {}
    Swatch m_swatch;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_HOME_LINK, m_swatch); }
};

void ClickAt(HWND hWnd, int x, int y)
{
    ::SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace

TEST(Framework, ControlsAreBoundOnceGetTheirMessagesAndAreReleasedWithTheirWindows)
{
    g_events.clear();
    FrameworkDialog dialog;
    HWND hList = nullptr;
    std::string typed;
    RunModal(dialog, {
        Do([&] {
            hList = dialog.m_list.m_hWnd;
            EXPECT_EQ(hList, dialog.GetDlgItem(IDC_FILE_LIST));
            EXPECT_EQ(CWnd::FromHandlePermanent(hList), &dialog.m_list);
            EXPECT_EQ(CWnd::FromHandlePermanent(dialog), &dialog);
            // Messages the map does not take reach the control's own procedure.
            EXPECT_EQ(dialog.m_list.SendMessage(LVM_GETITEMCOUNT), 1);
            // A real click on the second column's header, then on the row, then a key.
            ClickAt(dialog.m_list.GetHeaderCtrl(), 150, 5);
            RECT row{};
            dialog.m_list.GetItemRect(0, &row, LVIR_BOUNDS);
            ClickAt(dialog.m_list, 20, (row.top + row.bottom) / 2);
            ::SetFocus(dialog.m_edit);
            ::PostMessageA(dialog.m_edit, WM_CHAR, 'x', 1);
        }),
        Pause(),
        Do([&] {
            typed = dialog.m_edit.GetWindowText().str();
            dialog.EndDialog(IDOK);
        }),
    });
    // The parent never sees the column click its list handled; the hooks run child first.
    EXPECT_EQ(g_events, (std::vector<std::string>{"list: column 1", "dialog: click", "edit: char", "dialog: char"}));
    // Passed on by the dialog manager, the character reached the edit control.
    EXPECT_EQ(typed, "x");
    EXPECT_EQ(dialog.m_list.preSubclassCalls, 1);
    EXPECT_TRUE(dialog.m_list.hadHandleInPreSubclass);
    EXPECT_EQ(dialog.m_list.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hList), nullptr);
}

TEST(DialogDriver, AStepStuckInANestedMessageLoopFailsAtItsDeadline)
{
    CDialog dialog(IDD_ABOUTBOX);
    ModalRun run;
    // A message box that nobody answers holds the step in its own loop.
    EXPECT_NONFATAL_FAILURE(
        run = RunModal(dialog, {Do([&] { ::MessageBoxA(dialog, "Nobody answers this", "Vorlane", MB_OK); })}, 200),
        "still waiting");
    EXPECT_TRUE(run.timedOut);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(Framework, APaintedControlDrawsTheScreenAndAContextItIsHandedWithOneFunction)
{
    SwatchDialog dialog;
    RunModal(dialog, {Do([&] {
        Swatch& swatch = dialog.m_swatch;
        ::UpdateWindow(swatch);
        swatch.paintedWindows.clear();

        const RenderedClient pixels(swatch, RGB(0, 0, 0));
        EXPECT_EQ(pixels.Count(Swatch::kColour), pixels.Width() * pixels.Height());
        swatch.RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW);
        RECT update;
        EXPECT_FALSE(::GetUpdateRect(swatch, &update, FALSE));
        // A memory context belongs to no window; the screen's to the control's.
        EXPECT_EQ(swatch.paintedWindows, (std::vector<HWND>{nullptr, swatch.m_hWnd}));
        dialog.EndDialog(IDOK);
    })});
}
