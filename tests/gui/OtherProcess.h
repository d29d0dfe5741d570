#pragma once
// A list read as assistive technology reads it: from another process.
#include <string>
#include <vector>

#include "framework/Afx.h"

struct ListTexts {
    // As the list's item count and its header's column count said.
    int rows = -1;
    int columns = -1;
    // Each cell's text, [row][column], in UTF-8, as the list answered
    // LVM_GETITEMTEXTW and LVM_GETITEMTEXTA.
    std::vector<std::vector<std::string>> wide;
    std::vector<std::vector<std::string>> ansi;
    // Why the reading failed; empty when it did not.
    std::string failure;
};

// Every cell of the list-view `hList`, read by tests/support/ListTextReader
// in a process of its own (beside the test program) while this thread keeps
// answering the messages sent to its windows.
ListTexts ListTextsFromAnotherProcess(HWND hList);
