#pragma once
#include <vector>

#include "framework/Afx.h"

// Lets a dialog grow from its template's size, which stays the smallest:
// one control (a list) grows with the dialog, the controls below it move
// down with the dialog's bottom edge, and the others stay where they are.
class CGrowingLayout {
public:
    // Notes the dialog's size and where each control lies, as the template
    // made them; `growingId` names the control that grows.
    void Attach(HWND hDialog, int growingId);
    // Lays the controls out for the dialog's client size now.
    void Resize() const;
    // Keeps the dialog from being made smaller than the template.
    void LimitTracking(MINMAXINFO* pInfo) const;

private:
    struct Placed {
        HWND hWnd;
        RECT rect;
        bool grows;
        bool movesDown;
    };

    HWND m_hDialog = nullptr;
    SIZE m_client{};
    SIZE m_window{};
    std::vector<Placed> m_controls;
};
