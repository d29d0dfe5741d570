#pragma once
#include <functional>
#include <string>

#include "framework/Afx.h"

// The system's clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Puts `text`, ANSI, on the clipboard as Unicode text and as ANSI text,
    // in place of what was there; `owner` owns the clipboard meanwhile.
    // 0, or the system's error code when the clipboard cannot be had.
    virtual unsigned SetText(HWND owner, const std::string& text) = 0;
};

// The clipboard of the running system. Another program may hold it open for
// a moment: opening it is tried again for about a second.
class WindowsClipboard final : public Clipboard {
public:
    static constexpr int kOpenAttempts = 20;
    static constexpr DWORD kRetryMs = 50;

    // `wait` runs between two attempts to open the clipboard.
    explicit WindowsClipboard(std::function<void()> wait = [] { ::Sleep(kRetryMs); }) : m_wait(std::move(wait)) {}

    unsigned SetText(HWND owner, const std::string& text) override;

private:
    std::function<void()> m_wait;
};
