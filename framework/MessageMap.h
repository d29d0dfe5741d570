#pragma once
// Message maps: each window class lists the messages it handles between
// BEGIN_MESSAGE_MAP and END_MESSAGE_MAP. The macros expand to one function,
// OnWndMsg, that unpacks each message into the typed arguments of its handler
// and hands anything it does not handle to the base class's map.

// Notifications that a parent sends back to the control they came from.
#define WM_REFLECT_BASE 0xBC00

#define DECLARE_MESSAGE_MAP() \
protected:                    \
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                 \
    bool theClass::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)     \
    {                                                                                          \
        using MessageMapBase = baseClass;

#define END_MESSAGE_MAP()                                           \
        return MessageMapBase::OnWndMsg(message, wParam, lParam, result); \
    }

// Whatever the command target `target`, a member, handles in its own map.
#define ON_COMMAND_TARGET(target)                              \
    if ((target).OnCmdMsg(message, wParam, lParam, result))  \
        return true;

#define ON_MESSAGE(msg, handler)                  \
    if (message == (msg)) {                       \
        result = handler(wParam, lParam);         \
        return true;                              \
    }

#define ON_WM_INITDIALOG()             \
    if (message == WM_INITDIALOG) {    \
        result = OnInitDialog();       \
        return true;                   \
    }

#define ON_WM_PAINT()           \
    if (message == WM_PAINT) {  \
        OnPaint();              \
        result = 0;             \
        return true;            \
    }

// A device context to paint the client area into, and what to paint (the
// PRF_ flags).
#define ON_WM_PRINTCLIENT()                                              \
    if (message == WM_PRINTCLIENT) {                                     \
        CDC dc(reinterpret_cast<HDC>(wParam));                           \
        OnPrintClient(&dc, static_cast<UINT>(lParam));                   \
        result = 0;                                                      \
        return true;                                                     \
    }

#define ON_WM_DESTROY()           \
    if (message == WM_DESTROY) {  \
        OnDestroy();              \
        result = 0;               \
        return true;              \
    }

#define ON_WM_SYSCOMMAND()                                   \
    if (message == WM_SYSCOMMAND) {                          \
        OnSysCommand(static_cast<UINT>(wParam), lParam);     \
        result = 0;                                          \
        return true;                                         \
    }

#define ON_WM_TIMER()                                    \
    if (message == WM_TIMER) {                           \
        OnTimer(static_cast<UINT_PTR>(wParam));          \
        result = 0;                                      \
        return true;                                     \
    }

// The size type (SIZE_MAXIMIZED, ...) and the new client width and height.
#define ON_WM_SIZE()                                                                          \
    if (message == WM_SIZE) {                                                                 \
        OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),                 \
               static_cast<short>(HIWORD(lParam)));                                           \
        result = 0;                                                                           \
        return true;                                                                          \
    }

#define ON_WM_GETMINMAXINFO()                                           \
    if (message == WM_GETMINMAXINFO) {                                  \
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));         \
        result = 0;                                                     \
        return true;                                                    \
    }

#define ON_WM_QUERYDRAGICON()                                      \
    if (message == WM_QUERYDRAGICON) {                             \
        result = reinterpret_cast<LRESULT>(OnQueryDragIcon());     \
        return true;                                               \
    }

// Mouse and cursor messages, unpacked as MFC does: the key flags and the
// point in client coordinates; for WM_SETCURSOR the window under the mouse,
// the hit-test code and the mouse message.
#define ON_MOUSE_MESSAGE_(msg, handler)                                                     \
    if (message == (msg)) {                                                                 \
        handler(static_cast<UINT>(wParam), POINT{static_cast<short>(LOWORD(lParam)),        \
                                                 static_cast<short>(HIWORD(lParam))});      \
        result = 0;                                                                         \
        return true;                                                                        \
    }
#define ON_WM_MOUSEMOVE() ON_MOUSE_MESSAGE_(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() ON_MOUSE_MESSAGE_(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() ON_MOUSE_MESSAGE_(WM_LBUTTONUP, OnLButtonUp)
// Sent once TrackMouseEvent asked for it: the mouse rested on the window,
// or left it.
#define ON_WM_MOUSEHOVER() ON_MOUSE_MESSAGE_(WM_MOUSEHOVER, OnMouseHover)

#define ON_WM_MOUSELEAVE()            \
    if (message == WM_MOUSELEAVE) {   \
        OnMouseLeave();               \
        result = 0;                   \
        return true;                  \
    }

#define ON_WM_SETCURSOR()                                                                   \
    if (message == WM_SETCURSOR) {                                                          \
        result = OnSetCursor(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(wParam)),     \
                             LOWORD(lParam), HIWORD(lParam));                               \
        return true;                                                                        \
    }

#define ON_WM_ERASEBKGND()                                              \
    if (message == WM_ERASEBKGND) {                                     \
        CDC dc(reinterpret_cast<HDC>(wParam));                          \
        result = OnEraseBkgnd(&dc);                                     \
        return true;                                                    \
    }

// A WM_COMMAND notification `code` from the control (or menu item) `id`.
#define ON_CONTROL(code, id, handler)                                                      \
    if (message == WM_COMMAND && HIWORD(wParam) == (code) && LOWORD(wParam) == (id)) {    \
        handler();                                                                        \
        result = 0;                                                                       \
        return true;                                                                      \
    }

// A command from a menu item (code 0) or an accelerator key (code 1).
#define ON_COMMAND(id, handler)                                                            \
    if (message == WM_COMMAND && HIWORD(wParam) <= 1 && LOWORD(wParam) == (id)) {          \
        handler();                                                                        \
        result = 0;                                                                       \
        return true;                                                                      \
    }
#define ON_BN_CLICKED(id, handler) ON_CONTROL(BN_CLICKED, id, handler)

#define ON_NOTIFY(notifyCode, id, handler)                                              \
    if (message == WM_NOTIFY &&                                                         \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(notifyCode) &&      \
        reinterpret_cast<NMHDR*>(lParam)->idFrom == static_cast<UINT_PTR>(id)) {        \
        result = 0;                                                                     \
        handler(reinterpret_cast<NMHDR*>(lParam), &result);                             \
        return true;                                                                    \
    }

// The control's own notification, reflected back to it by its parent.
#define ON_NOTIFY_REFLECT(notifyCode, handler)                                          \
    if (message == WM_REFLECT_BASE + WM_NOTIFY &&                                       \
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(notifyCode)) {      \
        result = 0;                                                                     \
        handler(reinterpret_cast<NMHDR*>(lParam), &result);                             \
        return true;                                                                    \
    }

// The window the user asked a shortcut menu for, and where: the mouse's
// position in screen coordinates, or (-1, -1) when the keyboard asked.
#define ON_WM_CONTEXTMENU()                                                                 \
    if (message == WM_CONTEXTMENU) {                                                        \
        OnContextMenu(reinterpret_cast<HWND>(wParam),                                       \
                      POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}); \
        result = 0;                                                                         \
        return true;                                                                        \
    }
