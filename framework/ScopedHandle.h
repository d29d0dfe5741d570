#pragma once
#include <utility>

// Owns a handle of a kind that `close` gives back to the system, and gives
// it back when it goes: a CryptoAPI context or hash, a catalog context. A
// handle equal to `none` is no handle. The system's functions that make one
// write it through Receive().
template <class Handle, auto close, Handle none = Handle{}>
class CScopedHandle {
public:
    CScopedHandle() = default;
    explicit CScopedHandle(Handle handle) : m_handle(handle) {}
    ~CScopedHandle() { Reset(); }
    CScopedHandle(CScopedHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, none)) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_handle = std::exchange(other.m_handle, none);
        }
        return *this;
    }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != none; }
    // Where a function that makes a handle puts it; any handle held before
    // is given back first.
    Handle* Receive()
    {
        Reset();
        return &m_handle;
    }
    // Hands the handle over without giving it back.
    Handle Release() { return std::exchange(m_handle, none); }

private:
    void Reset()
    {
        if (m_handle != none)
            close(std::exchange(m_handle, none));
    }

    Handle m_handle = none;
};
