#pragma once
#include <string>

#include "framework/Afx.h"

// The system's clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Puts `text`, ANSI, on the clipboard as Unicode text and as ANSI text,
    // in place of what was there; `owner` owns the clipboard meanwhile.
    // False when the clipboard cannot be had.
    virtual bool SetText(HWND owner, const std::string& text) = 0;
};

// The clipboard of the running system.
class WindowsClipboard final : public Clipboard {
public:
    bool SetText(HWND owner, const std::string& text) override;
};
