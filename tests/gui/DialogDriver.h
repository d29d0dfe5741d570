#pragma once
// Drives a dialog that runs its own modal loop: the steps run, one after the
// other, from a timer of the test thread while DoModal pumps the messages.
#include <functional>
#include <string>
#include <vector>

#include "framework/Dialog.h"

// A step is called on each tick until it returns true.
using DialogStep = std::function<bool()>;

struct ModalRun {
    INT_PTR result = 0;
    bool timedOut = false;
};

// Runs `dialog` modally through `steps`. When the steps take longer than
// `timeoutMs`, the dialog is ended and the run reports it; a dialog that ends
// before its last step fails the test.
ModalRun RunModal(CDialog& dialog, std::vector<DialogStep> steps, DWORD timeoutMs = 15000);

// A step that does `action` once and goes on.
DialogStep Do(std::function<void()> action);

// A step that lets the dialog's loop run for `ticks` timer ticks.
DialogStep Pause(int ticks = 1);

// Holds a key down, as this thread's keyboard sees it, while it lives.
class KeyHeld {
public:
    explicit KeyHeld(BYTE key);
    ~KeyHeld();
    KeyHeld(const KeyHeld&) = delete;
    KeyHeld& operator=(const KeyHeld&) = delete;

private:
    BYTE m_saved[256];
};

// A key pressed and released, as the keyboard puts it in the queue of the
// window with the focus `hWnd`: F10 comes as a system key.
void PostKey(HWND hWnd, UINT key);

// Texts of the list-view `hList`.
std::string ItemText(HWND hList, int item, int subItem);
std::string ColumnHeading(HWND hList, int column);
std::string WindowText(HWND hWnd);
