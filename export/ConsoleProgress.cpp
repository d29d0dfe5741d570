#include "export/ConsoleProgress.h"

#include "export/UserOutput.h"

ConsoleProgress::ConsoleProgress() : m_console(ErrorConsole()) {}

bool ConsoleProgress::Due() const
{
    return Shown() && (!m_bShownOnce || ::GetTickCount() - m_lastShown >= kShowEveryMs);
}

void ConsoleProgress::Show(const std::string& line)
{
    if (!Shown())
        return;
    std::wstring text(line.begin(), line.end());
    // Blanks over what is left of a longer line before.
    const std::size_t length = text.size();
    if (length < m_shownLength)
        text.append(m_shownLength - length, L' ');
    Write(L"\r" + text);
    m_shownLength = length;
    m_lastShown = ::GetTickCount();
    m_bShownOnce = true;
}

void ConsoleProgress::Clear()
{
    if (!Shown() || m_shownLength == 0)
        return;
    Write(L"\r" + std::wstring(m_shownLength, L' ') + L"\r");
    m_shownLength = 0;
}

void ConsoleProgress::Write(const std::wstring& text) const
{
    DWORD written = 0;
    ::WriteConsoleW(m_console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
