#pragma once
#include <string>

#include "framework/Afx.h"

// Narrow text in the system's ANSI code page.
class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(std::string text) : m_text(std::move(text)) {}

    operator LPCSTR() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }
    std::string& str() { return m_text; }

    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // Loads string resource `id` of the program; false (and empty) when missing.
    BOOL LoadString(UINT id);

private:
    std::string m_text;
};
