#pragma once
#include "framework/Afx.h"
#include "framework/MessageMap.h"

// Something with a message map: a window, or a part of one that handles
// some of its window's commands and notifications without being a window
// itself (MFC's command target). The window's own map hands them on with
// ON_COMMAND_TARGET.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Offers the message to the map; true when a handler took it.
    bool OnCmdMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
    {
        return OnWndMsg(message, wParam, lParam, result);
    }

protected:
    // The message map; true when a handler took the message.
    virtual bool OnWndMsg(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
};
