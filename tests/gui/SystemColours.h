#pragma once
// The system's colours changed for a test, as a theme changes them: every
// window hears of it (WM_SYSCOLORCHANGE).
#include <utility>
#include <vector>

#include "framework/Afx.h"

// Sets system colours for as long as it lives, then puts the old ones back.
class SystemColours {
public:
    explicit SystemColours(const std::vector<std::pair<int, COLORREF>>& colours)
    {
        std::vector<COLORREF> wanted;
        for (const auto& [index, colour] : colours) {
            m_indexes.push_back(index);
            m_previous.push_back(::GetSysColor(index));
            wanted.push_back(colour);
        }
        if (!m_indexes.empty())
            ::SetSysColors(static_cast<int>(m_indexes.size()), m_indexes.data(), wanted.data());
    }
    ~SystemColours()
    {
        if (!m_indexes.empty())
            ::SetSysColors(static_cast<int>(m_indexes.size()), m_indexes.data(), m_previous.data());
    }
    SystemColours(const SystemColours&) = delete;
    SystemColours& operator=(const SystemColours&) = delete;

private:
    std::vector<int> m_indexes;
    std::vector<COLORREF> m_previous;
};
