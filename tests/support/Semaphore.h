#pragma once
// A counting semaphore for tests that hand work between threads. The
// program's Windows runtime has no std::condition_variable.
#ifdef _WIN32
#include "framework/Afx.h"

class Semaphore {
public:
    Semaphore() : m_handle(::CreateSemaphoreA(nullptr, 0, 0x7FFFFFFF, nullptr)) {}
    ~Semaphore() { ::CloseHandle(m_handle); }
    Semaphore(const Semaphore&) = delete;
    Semaphore& operator=(const Semaphore&) = delete;

    void Release(int count = 1) { ::ReleaseSemaphore(m_handle, count, nullptr); }
    // Takes one; false after a minute without one, so that a test that
    // forgets a release fails instead of hanging.
    bool Acquire() { return ::WaitForSingleObject(m_handle, 60000) == WAIT_OBJECT_0; }

private:
    HANDLE m_handle;
};
#else
#include <chrono>
#include <condition_variable>
#include <mutex>

class Semaphore {
public:
    // Notifies under the lock: a waiter that wakes may destroy the
    // semaphore as soon as it has the lock.
    void Release(int count = 1)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_count += count;
        m_changed.notify_all();
    }
    bool Acquire()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_changed.wait_for(lock, std::chrono::minutes(1), [this] { return m_count > 0; }))
            return false;
        --m_count;
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_count = 0;
};
#endif
