#include "gui/DialogDriver.h"

#include <gtest/gtest.h>

namespace {

struct Script {
    CDialog* dialog;
    std::vector<DialogStep> steps;
    size_t next = 0;
    DWORD deadline;
    bool timedOut = false;
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

}  // namespace

ModalRun RunModal(CDialog& dialog, std::vector<DialogStep> steps, DWORD timeoutMs)
{
    Script script{&dialog, std::move(steps), 0, ::GetTickCount() + timeoutMs};
    t_script = &script;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, Tick);
    ModalRun run;
    run.result = dialog.DoModal();
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
