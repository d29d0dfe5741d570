#include "gui/DialogDriver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>

namespace {

struct Script {
    CDialog* dialog;
    std::vector<DialogStep> steps;
    size_t next = 0;
    DWORD deadline;
    std::atomic<bool> timedOut{false};
    bool running = false;
};

thread_local Script* t_script = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    Script& script = *t_script;
    // A step may pump messages itself; do not start another step meanwhile.
    if (script.running || !script.dialog->m_hWnd)
        return;
    if (static_cast<LONG>(::GetTickCount() - script.deadline) > 0) {
        script.timedOut = true;
        script.dialog->EndDialog(-1);
        return;
    }
    script.running = true;
    while (script.next < script.steps.size() && script.steps[script.next]())
        ++script.next;
    script.running = false;
}

// Watches a run from a thread of its own. A step stuck in a nested message
// loop (a message box nobody answers, a modal dialog that never ends) never
// lets the timer see the deadline: past it, the watchdog asks every loop of
// the test's thread to end. A step stuck outside any message loop ends the
// test program, with a word on the standard error, rather than hang it.
class Watchdog {
public:
    Watchdog(Script& script, DWORD timeoutMs)
        : m_script(script), m_timeoutMs(timeoutMs), m_threadId(::GetCurrentThreadId()),
          m_done(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          m_thread(::CreateThread(nullptr, 0, Run, this, 0, nullptr))
    {
    }
    ~Watchdog()
    {
        ::SetEvent(m_done);
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
        ::CloseHandle(m_done);
        // The loops passed the request to end on until it reached the test's own loop.
        MSG msg;
        if (m_fired)
            ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    static constexpr DWORD kGraceMs = 10000;

    static DWORD WINAPI Run(LPVOID self)
    {
        static_cast<Watchdog*>(self)->Watch();
        return 0;
    }
    void Watch()
    {
        if (::WaitForSingleObject(m_done, m_timeoutMs) != WAIT_TIMEOUT)
            return;
        m_fired = true;
        m_script.timedOut = true;
        ::PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
        if (::WaitForSingleObject(m_done, kGraceMs) != WAIT_TIMEOUT)
            return;
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        std::fprintf(stderr, "%s.%s: step %zu is stuck past its deadline; ending the tests\n",
                     test ? test->test_suite_name() : "?", test ? test->name() : "?", m_script.next);
        std::fflush(stderr);
        ::ExitProcess(3);
    }

    Script& m_script;
    DWORD m_timeoutMs;
    DWORD m_threadId;
    HANDLE m_done;
    HANDLE m_thread;
    std::atomic<bool> m_fired{false};
};

}  // namespace

ModalRun RunModal(CDialog& dialog, std::vector<DialogStep> steps, DWORD timeoutMs)
{
    Script script{&dialog, std::move(steps), 0, ::GetTickCount() + timeoutMs};
    t_script = &script;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, Tick);
    ModalRun run;
    {
        const Watchdog watchdog(script, timeoutMs + 1000);
        run.result = dialog.DoModal();
    }
    ::KillTimer(nullptr, timer);
    t_script = nullptr;
    run.timedOut = script.timedOut;
    EXPECT_FALSE(run.timedOut) << "the dialog was still waiting at step " << script.next;
    // A dialog that failed to start, or ended early, must not pass as if its steps had run.
    EXPECT_EQ(script.next, script.steps.size()) << "the dialog ended (" << run.result << ") before step " << script.next;
    return run;
}

DialogStep Do(std::function<void()> action)
{
    return [action = std::move(action)] {
        action();
        return true;
    };
}

DialogStep Pause(int ticks)
{
    return [ticks, waited = 0]() mutable { return waited++ == ticks; };
}

KeyHeld::KeyHeld(BYTE key)
{
    ::GetKeyboardState(m_saved);
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[key] = 0x80;
    ::SetKeyboardState(keys);
}

KeyHeld::~KeyHeld()
{
    ::SetKeyboardState(m_saved);
}

void PostKey(HWND hWnd, UINT key)
{
    const bool system = key == VK_F10;
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageA(hWnd, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, scan | 1);
    ::PostMessageA(hWnd, system ? WM_SYSKEYUP : WM_KEYUP, key, scan | static_cast<LPARAM>(0xC0000001));
}

std::string ItemText(HWND hList, int item, int subItem)
{
    char text[1024] = {};
    LVITEMA lvItem{};
    lvItem.iSubItem = subItem;
    lvItem.pszText = text;
    lvItem.cchTextMax = sizeof text;
    ::SendMessageA(hList, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvItem));
    return text;
}

std::string ColumnHeading(HWND hList, int column)
{
    char text[256] = {};
    LVCOLUMNA lvColumn{};
    lvColumn.mask = LVCF_TEXT;
    lvColumn.pszText = text;
    lvColumn.cchTextMax = sizeof text;
    ::SendMessageA(hList, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvColumn));
    return text;
}

std::string WindowText(HWND hWnd)
{
    char text[1024] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}
