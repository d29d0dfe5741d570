#pragma once
#include "framework/Afx.h"

// Counts, while it lives, the messages of this thread that read a list
// row's text: LVM_GETITEMTEXT, LVM_GETITEM asking for text, and the
// LVN_GETDISPINFO notifications an owner-data list sends to answer them.
// A hook makes every message slower (under Wine, a trip to the server
// each): count in one pass and time in another.
class ListTextReads {
public:
    ListTextReads();
    ~ListTextReads();
    ListTextReads(const ListTextReads&) = delete;
    ListTextReads& operator=(const ListTextReads&) = delete;

    long Count() const { return s_count; }

private:
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam);
    static long s_count;
    HHOOK m_hHook;
};
