#pragma once
#include <string>

#include "framework/Afx.h"

// One line on the console the user started the program from, rewritten in
// place as a long command goes on, at most four times a second, and cleared
// when it ends. Where standard error is a file or a pipe, or there is no
// console, it shows nothing: a script reads what it always read.
class ConsoleProgress {
public:
    static constexpr DWORD kShowEveryMs = 250;

    ConsoleProgress();
    ~ConsoleProgress() { Clear(); }
    ConsoleProgress(const ConsoleProgress&) = delete;
    ConsoleProgress& operator=(const ConsoleProgress&) = delete;

    // Whether it shows anything at all; a caller need not make lines then.
    bool Shown() const { return m_console != INVALID_HANDLE_VALUE; }
    // A quarter of a second has passed since the last line was shown.
    bool Due() const;
    // Shows `line` in place of the last one.
    void Show(const std::string& line);
    void Clear();

private:
    void Write(const std::wstring& text) const;

    HANDLE m_console;
    DWORD m_lastShown = 0;
    bool m_bShownOnce = false;
    std::size_t m_shownLength = 0;
};
