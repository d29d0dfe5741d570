#pragma once
#include <utility>

#include "framework/Afx.h"

// Owns a kernel object's handle and closes it when it goes, as ATL's
// CHandle. Holds none when given null or INVALID_HANDLE_VALUE, the two ways
// the system's functions say they made nothing.
class CHandle {
public:
    CHandle() = default;
    explicit CHandle(HANDLE hHandle) : m_hHandle(hHandle == INVALID_HANDLE_VALUE ? nullptr : hHandle) {}
    ~CHandle()
    {
        if (m_hHandle)
            ::CloseHandle(m_hHandle);
    }
    CHandle(CHandle&& other) noexcept : m_hHandle(std::exchange(other.m_hHandle, nullptr)) {}
    CHandle& operator=(CHandle&& other) noexcept
    {
        std::swap(m_hHandle, other.m_hHandle);
        return *this;
    }

    operator HANDLE() const { return m_hHandle; }

private:
    HANDLE m_hHandle = nullptr;
};
