#pragma once
// What the tests of the File Properties group, the search and the check share.
#include <functional>
#include <string>
#include <vector>

#include "app/VorlaneDlg.h"

// The summary of the version fixtures that hold every string.
constexpr const char* kFull = "v. 6.1.760.17, Fixture Library, Vorlane Fixtures\r\nCopyright (C) Halvory";

// A library beside the test program that carries only a version resource.
std::string Fixture(const std::string& name);

std::string Text(CVorlaneDlg& dlg, int id);
void SetText(CVorlaneDlg& dlg, int id, const char* text);
// Clicks the button `id`, as its BN_CLICKED notification.
void Press(CVorlaneDlg& dlg, int id);
// Clicks the middle of the row's path, as the mouse does.
void ClickRow(HWND hList, int row);
// A click notification as the list sends it for `row`.
void NotifyClick(CVorlaneDlg& dlg, int row);
UINT State(HWND hList, int row);

struct MessageBoxSeen {
    std::string text;
    std::string caption;
    bool exclamation = false;
};

// Does `action` and answers each message box it shows with OK.
std::vector<MessageBoxSeen> AnsweringBoxes(CWnd& dlg, const std::function<void()>& action);
// Presses the button `id` and answers each message box it shows with OK.
std::vector<MessageBoxSeen> PressAnsweringBoxes(CVorlaneDlg& dlg, int id);
