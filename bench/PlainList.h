#pragma once
#include <string>
#include <vector>

#include "export/ListExport.h"
#include "framework/Afx.h"

// The file list of the old design, in a window of its own: a report list
// control of the dialog's kind and size that holds every row's texts
// itself, two columns, filled as the old fill did, with drawing suspended.
// Reading a cell is a message to it.
class PlainList {
public:
    PlainList();
    ~PlainList();
    PlainList(const PlainList&) = delete;
    PlainList& operator=(const PlainList&) = delete;

    HWND Handle() const { return m_hList; }
    HWND Frame() const { return m_hFrame; }

    // Rows numbered from 1, their numbers as the list shows them.
    void Append(const std::vector<std::string>& paths);
    std::string Text(int row, int column) const;
    // Every row's texts, read cell by cell, as the old exports read them.
    std::vector<Record> Records() const;

private:
    HWND m_hFrame;
    HWND m_hList;
};
