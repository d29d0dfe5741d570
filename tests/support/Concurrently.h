#pragma once
// Runs `work` on a second thread and joins it when destroyed. The program's
// Windows runtime has no std::thread.
#include <functional>

#ifdef _WIN32
#include <process.h>

#include "framework/Afx.h"

class Concurrently {
public:
    explicit Concurrently(std::function<void()> work)
        : m_work(std::move(work)), m_thread(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Run, this, 0, nullptr)))
    {
    }
    ~Concurrently()
    {
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
    }

private:
    static unsigned __stdcall Run(void* self)
    {
        static_cast<Concurrently*>(self)->m_work();
        return 0;
    }
    std::function<void()> m_work;
    HANDLE m_thread;
};
#else
#include <thread>

class Concurrently {
public:
    explicit Concurrently(std::function<void()> work) : m_thread(std::move(work)) {}
    ~Concurrently() { m_thread.join(); }

private:
    std::thread m_thread;
};
#endif
