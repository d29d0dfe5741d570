#pragma once
#include <functional>
#include <string>

#include "framework/ListCtrl.h"
#include "framework/ToolTipCtrl.h"

// A tooltip that shows the whole text of the list's cell under the mouse
// when the list shows that text cut short; over any other cell, none. The
// list relays its mouse messages to it.
class CCellTips {
public:
    // The cell's whole text when the list shows it cut, else nothing.
    using CutText = std::function<std::string(int row, int column)>;

    void Create(CListCtrl& list, CutText cutText);
    // From the list's PreTranslateMessage.
    void Relay(MSG* pMsg);

private:
    static constexpr UINT_PTR kTool = 1;

    CListCtrl* m_pList = nullptr;
    CutText m_cutText;
    CToolTipCtrl m_tip;
    int m_row = -1;
    int m_column = -1;
    std::string m_text;
};
