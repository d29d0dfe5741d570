#pragma once
// A gate that threads wait at until another opens it; once open, it stays
// open. The Windows runtime the program links has no condition variable,
// so there it is an event.
#ifdef _WIN32
#include "framework/Handle.h"

class Gate {
public:
    Gate() : m_event(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

    void Open() { ::SetEvent(m_event); }
    // Returns once the gate is open; false at once when no gate could be
    // made, and nobody could ever open it.
    bool Wait() { return m_event && ::WaitForSingleObject(m_event, INFINITE) == WAIT_OBJECT_0; }

private:
    CHandle m_event;
};
#else
#include <condition_variable>
#include <mutex>

class Gate {
public:
    void Open()
    {
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_open = true;
        }
        m_opened.notify_all();
    }
    bool Wait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_opened.wait(lock, [this] { return m_open; });
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_open = false;
};
#endif
