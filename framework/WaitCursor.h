#pragma once
#include "framework/Afx.h"

// Shows the system's wait cursor for as long as it lives, then the cursor
// that was there before. The cursor is the system's own, never destroyed.
class CWaitCursor {
public:
    CWaitCursor() : m_hRestore(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_hRestore); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hRestore;
};
