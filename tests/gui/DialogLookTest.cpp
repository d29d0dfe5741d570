#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/VorlaneDlg.h"
#include "controls/AboutDlg.h"
#include "gui/DialogDriver.h"
#include "gui/MainDialogSteps.h"
#include "gui/TestServices.h"
#include "res/HomePage.h"
#include "res/resource.h"

// What the two dialogs show, read from their live windows. Sizes follow the
// display's scale, so the layout is checked as relations between the
// controls, never as pixel numbers. Edges are only compared for equality
// where the template places both controls alike: each control's dialog units
// are rounded to pixels on their own.

namespace {

// A control as the user meets it: `id` 0 where the program never asks for
// it, `text` null where it changes as the program runs.
struct Shown {
    int id;
    const char* className;
    const char* text;
};

// The controls the user sees, in window order; the labels that name a list
// or a box for screen readers are never shown (AccessibilityTest).
std::vector<HWND> Controls(HWND hDlg)
{
    std::vector<HWND> controls;
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (::IsWindowVisible(hChild))
            controls.push_back(hChild);
    }
    return controls;
}

void ExpectShown(HWND hDlg, const std::vector<Shown>& expected)
{
    const std::vector<HWND> controls = Controls(hDlg);
    ASSERT_EQ(controls.size(), expected.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        const Shown& shown = expected[i];
        SCOPED_TRACE(shown.text ? shown.text : std::to_string(shown.id));
        char className[64] = {};
        ::GetClassNameA(controls[i], className, sizeof className);
        EXPECT_EQ(::lstrcmpiA(className, shown.className), 0) << className;
        if (shown.id) {
            EXPECT_EQ(::GetDlgCtrlID(controls[i]), shown.id);
        }
        if (shown.text) {
            EXPECT_EQ(WindowText(controls[i]), shown.text);
        }
    }
}

// The ids of the controls that Tab visits, from the one with the focus round to it again.
std::vector<int> TabCycle(HWND hDlg)
{
    std::vector<int> ids;
    const HWND first = ::GetFocus();
    HWND hControl = first;
    do {
        ids.push_back(::GetDlgCtrlID(hControl));
        hControl = ::GetNextDlgTabItem(hDlg, hControl, FALSE);
    } while (hControl && hControl != first && ids.size() < 20);
    return ids;
}

DWORD Style(HWND hWnd)
{
    return static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE));
}

// The control that shows `text`: for those without an id of their own.
HWND Showing(HWND hDlg, const std::string& text)
{
    for (const HWND hControl : Controls(hDlg)) {
        if (WindowText(hControl) == text)
            return hControl;
    }
    ADD_FAILURE() << "no control shows \"" << text << '"';
    return nullptr;
}

// The static controls of this type (SS_ICON, SS_ETCHEDHORZ...), in window order.
std::vector<HWND> Statics(HWND hDlg, DWORD type)
{
    std::vector<HWND> statics;
    for (const HWND hControl : Controls(hDlg)) {
        char className[64] = {};
        ::GetClassNameA(hControl, className, sizeof className);
        if (::lstrcmpiA(className, WC_STATICA) == 0 && (Style(hControl) & SS_TYPEMASK) == type)
            statics.push_back(hControl);
    }
    return statics;
}

// The dialog's own font: the template's 8-point MS Sans Serif, in the display's pixels.
void ExpectTemplateFont(HWND hDlg)
{
    LOGFONTA font{};
    ASSERT_NE(::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(hDlg, WM_GETFONT, 0, 0)), sizeof font, &font), 0);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    const HDC hdc = ::GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -::MulDiv(8, ::GetDeviceCaps(hdc, LOGPIXELSY), 72));
    ::ReleaseDC(nullptr, hdc);
}

// A caption and a close box, no minimize box; a sizing frame and a
// maximize box when the window can be resized.
void ExpectCaption(HWND hDlg, const char* caption, bool resizable)
{
    EXPECT_EQ(WindowText(hDlg), caption);
    const DWORD sizing = resizable ? WS_THICKFRAME | WS_MAXIMIZEBOX : 0;
    EXPECT_EQ(Style(hDlg) & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
              DWORD{WS_CAPTION | WS_SYSMENU} | sizing);
}

// Where each control lies in the dialog's client area.
class Layout {
public:
    explicit Layout(HWND hDlg) : m_hDlg(hDlg) { ::GetClientRect(hDlg, &m_client); }

    RECT Of(HWND hControl) const
    {
        RECT rect;
        ::GetWindowRect(hControl, &rect);
        ::MapWindowPoints(nullptr, m_hDlg, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    RECT Of(int id) const { return Of(::GetDlgItem(m_hDlg, id)); }

    // Every control lies in the client area, and no two overlap unless one
    // is a group box and `held` pairs it with the other.
    void ExpectApartInside(const std::set<std::pair<HWND, HWND>>& held = {}) const
    {
        const std::vector<HWND> controls = Controls(m_hDlg);
        for (size_t i = 0; i < controls.size(); ++i) {
            const RECT a = Of(controls[i]);
            EXPECT_TRUE(Contains(m_client, a)) << WindowText(controls[i]) << ' ' << ::GetDlgCtrlID(controls[i]);
            for (size_t j = i + 1; j < controls.size(); ++j) {
                const RECT b = Of(controls[j]);
                RECT common;
                if (!held.count({controls[i], controls[j]}) && !held.count({controls[j], controls[i]})) {
                    EXPECT_FALSE(::IntersectRect(&common, &a, &b))
                        << ::GetDlgCtrlID(controls[i]) << " and " << ::GetDlgCtrlID(controls[j]);
                }
            }
        }
    }

    static bool Contains(const RECT& outer, const RECT& inner)
    {
        return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
               inner.bottom <= outer.bottom;
    }

private:
    HWND m_hDlg;
    RECT m_client;
};

// Controls in a row: the same top and height.
void ExpectRow(const std::vector<RECT>& row)
{
    for (const RECT& rect : row) {
        EXPECT_EQ(rect.top, row.front().top);
        EXPECT_EQ(rect.bottom, row.front().bottom);
    }
}

// Controls in a column: the same left edge and width.
void ExpectColumn(const std::vector<RECT>& column)
{
    for (const RECT& rect : column) {
        EXPECT_EQ(rect.left, column.front().left);
        EXPECT_EQ(rect.right, column.front().right);
    }
}

// Each above the next, none reaching into the one below.
void ExpectStacked(const std::vector<RECT>& stack)
{
    for (size_t i = 1; i < stack.size(); ++i)
        EXPECT_LE(stack[i - 1].bottom, stack[i].top) << i;
}

void ExpectMainDialogLook(CVorlaneDlg& dlg)
{
    ExpectCaption(dlg, "Vorlane", true);
    EXPECT_TRUE(::GetWindowLongA(dlg, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    ExpectTemplateFont(dlg);
    ExpectShown(dlg, {
                         {IDC_FILE_LIST, WC_LISTVIEWA, nullptr},
                         {0, WC_BUTTONA, " File Properties "},
                         {IDC_FILE_DETAILS, WC_STATICA, nullptr},
                         {IDC_FILE_NAME, WC_STATICA, ""},
                         {0, WC_BUTTONA, " Is File Protected "},
                         {IDC_CHECK_PATH, WC_EDITA, ""},
                         {IDC_BROWSE, WC_BUTTONA, "&Browse"},
                         {IDC_CHECK, WC_BUTTONA, "&Check"},
                         {IDC_SEARCH_TEXT, WC_EDITA, ""},
                         {IDC_SEARCH, WC_BUTTONA, "&Search"},
                         {IDCANCEL, WC_BUTTONA, "C&lose"},
                         {IDC_LOGO, WC_STATICA, nullptr},
                     });
    EXPECT_EQ(TabCycle(dlg), (std::vector<int>{IDC_FILE_LIST, IDC_CHECK_PATH, IDC_BROWSE, IDC_CHECK,
                                               IDC_SEARCH_TEXT, IDC_SEARCH, IDCANCEL}));

    // A multi-selection report list that draws its rows from the program's own.
    const DWORD list = Style(FileList(dlg));
    EXPECT_EQ(list & LVS_TYPEMASK, DWORD{LVS_REPORT});
    EXPECT_EQ(list & (LVS_OWNERDRAWFIXED | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL),
              DWORD{LVS_OWNERDRAWFIXED | LVS_OWNERDATA | LVS_SHOWSELALWAYS});
    // Enter presses no button: every button is a plain push button.
    for (const int button : {IDC_BROWSE, IDC_CHECK, IDC_SEARCH, IDCANCEL})
        EXPECT_EQ(Style(dlg.GetDlgItem(button)) & BS_TYPEMASK, DWORD{BS_PUSHBUTTON}) << button;
    // Long paths scroll in the boxes; "&" in a file name shows as it is.
    for (const int edit : {IDC_CHECK_PATH, IDC_SEARCH_TEXT})
        EXPECT_TRUE(Style(dlg.GetDlgItem(edit)) & ES_AUTOHSCROLL) << edit;
    for (const int text : {IDC_FILE_NAME, IDC_FILE_DETAILS})
        EXPECT_TRUE(Style(dlg.GetDlgItem(text)) & SS_NOPREFIX) << text;
    EXPECT_TRUE(Style(dlg.GetDlgItem(IDC_LOGO)) & SS_NOTIFY);  // clicks reach it

    const Layout layout(dlg);
    const HWND properties = Showing(dlg, " File Properties "), protectedBox = Showing(dlg, " Is File Protected ");
    std::set<std::pair<HWND, HWND>> held;
    for (const int id : {IDC_FILE_NAME, IDC_FILE_DETAILS}) {
        held.insert({properties, dlg.GetDlgItem(id)});
        EXPECT_TRUE(Layout::Contains(layout.Of(properties), layout.Of(id))) << id;
    }
    for (const int id : {IDC_CHECK_PATH, IDC_BROWSE, IDC_CHECK}) {
        held.insert({protectedBox, dlg.GetDlgItem(id)});
        EXPECT_TRUE(Layout::Contains(layout.Of(protectedBox), layout.Of(id))) << id;
    }
    layout.ExpectApartInside(held);

    // The list over the full width of the groups, then the groups, then the search row.
    const RECT listRect = layout.Of(IDC_FILE_LIST), search = layout.Of(IDC_SEARCH_TEXT);
    ExpectColumn({listRect, layout.Of(properties), layout.Of(protectedBox)});
    ExpectStacked({listRect, layout.Of(properties), layout.Of(protectedBox), search});
    ExpectStacked({layout.Of(IDC_FILE_NAME), layout.Of(IDC_FILE_DETAILS)});
    // Each box and its buttons in a row; the buttons in two columns, all of one size.
    ExpectRow({layout.Of(IDC_CHECK_PATH), layout.Of(IDC_BROWSE), layout.Of(IDC_CHECK)});
    ExpectRow({search, layout.Of(IDC_SEARCH), layout.Of(IDCANCEL)});
    ExpectColumn({layout.Of(IDC_BROWSE), layout.Of(IDC_SEARCH)});
    ExpectColumn({layout.Of(IDC_CHECK), layout.Of(IDCANCEL)});
    const RECT browse = layout.Of(IDC_BROWSE), check = layout.Of(IDC_CHECK);
    EXPECT_EQ(browse.right - browse.left, check.right - check.left);
    EXPECT_EQ(browse.bottom - browse.top, check.bottom - check.top);
    // The logo in the bottom-left corner, left of the search box.
    const RECT logo = layout.Of(IDC_LOGO);
    EXPECT_GE(logo.top, layout.Of(protectedBox).bottom);
    EXPECT_LE(logo.right, search.left);
}

void ExpectAboutBoxLook(CAboutDlg& about)
{
    ExpectCaption(about, "About Vorlane", false);
    ExpectTemplateFont(about);
    ExpectShown(about, {
                           {0, WC_STATICA, nullptr},
                           {IDC_ABOUT_TITLE, WC_STATICA, "Vorlane v1.1"},
                           {0, WC_STATICA, "Copyright (C) 2026 Halvory"},
                           {IDOK, WC_BUTTONA, "&OK"},
                           {0, WC_STATICA, "Lists the files that Windows protects"},
                           {0, WC_STATICA, ""},
                           {IDC_HOME_LINK, WC_STATICA, HOME_PAGE_URL},
                           {0, WC_STATICA, ""},
                       });
    const std::vector<HWND> icons = Statics(about, SS_ICON), lines = Statics(about, SS_ETCHEDHORZ);
    ASSERT_EQ(icons.size(), 1u);
    ASSERT_EQ(lines.size(), 2u);
    const HWND icon = icons[0];
    EXPECT_NE(::SendMessageA(icon, STM_GETICON, 0, 0), 0);
    EXPECT_EQ(TabCycle(about), std::vector<int>{IDOK});
    // Enter presses OK.
    EXPECT_EQ(about.SendMessage(DM_GETDEFID), MAKELRESULT(IDOK, DC_HASDEFID));
    EXPECT_TRUE(Style(about.GetDlgItem(IDC_HOME_LINK)) & SS_NOTIFY);

    const Layout layout(about);
    layout.ExpectApartInside();
    const auto [upperLine, lowerLine] = layout.Of(lines[0]).top < layout.Of(lines[1]).top
                                            ? std::pair{lines[0], lines[1]}
                                            : std::pair{lines[1], lines[0]};
    // Beside the icon, title, line, description and link start at one edge.
    const RECT title = layout.Of(IDC_ABOUT_TITLE), link = layout.Of(IDC_HOME_LINK);
    const RECT description = layout.Of(Showing(about, "Lists the files that Windows protects"));
    const RECT copyright = layout.Of(Showing(about, "Copyright (C) 2026 Halvory"));
    EXPECT_LE(layout.Of(icon).right, title.left);
    for (const RECT& rect : {layout.Of(upperLine), description, link})
        EXPECT_EQ(rect.left, title.left);
    ExpectStacked({title, layout.Of(upperLine), description, link, copyright,
                   layout.Of(lowerLine), layout.Of(IDOK)});
    ExpectStacked({layout.Of(icon), copyright});
    // The lower line runs under the icon and every text.
    const RECT lower = layout.Of(lowerLine);
    for (const RECT& rect : {layout.Of(icon), title, description, link, copyright}) {
        EXPECT_LE(lower.left, rect.left);
        EXPECT_GE(lower.right, rect.right);
    }
}

}  // namespace

TEST(DialogLook, TheMainDialogShowsItsControlsInTabOrderLaidOutInRowsAndGroups)
{
    TestServices test;
    CVorlaneDlg dlg(test.services);
    RunModal(dlg, {FillDone(dlg), Do([&] { ExpectMainDialogLook(dlg); }), Close(dlg)});
}

TEST(DialogLook, TheAboutBoxShowsTheIconBesideItsTextsAndOkBelowThem)
{
    StandInShell shell;
    CAboutDlg about(shell);
    RunModal(about, {Do([&] {
        ExpectAboutBoxLook(about);
        about.EndDialog(IDOK);
    })});
}
