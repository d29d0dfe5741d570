#pragma once
// Threads that nobody waits for. The Windows runtime the program links (the
// one that still runs on Windows XP) has no std::thread, so there they are
// the framework's threads.
#include <functional>
#include <memory>

#ifdef _WIN32
#include "framework/Handle.h"
#include "framework/WinThread.h"

namespace background_thread {

struct Start {
    std::function<void()> work;
    // Set once the thread runs.
    HANDLE running;
};

inline UINT Run(LPVOID pParam)
{
    const std::unique_ptr<Start> start(static_cast<Start*>(pParam));
    ::SetEvent(start->running);
    start->work();
    return 0;
}

}  // namespace background_thread

// Runs `work` on a thread of its own below normal priority, so that the
// interface keeps the processor whenever it wants it; false when no thread
// could be started. Returns once the thread runs: threads start one at a
// time. Under qemu's user-mode emulation, which runs the 32-bit program's
// tests where the kernel runs no 32-bit programs, a thread that Wine starts
// while another is still starting may crash.
inline bool StartBackgroundThread(std::function<void()> work)
{
    const CHandle running(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!running)
        return false;
    auto start = std::make_unique<background_thread::Start>(background_thread::Start{std::move(work), running});
    const bool started = AfxBeginThread(background_thread::Run, start.get(), THREAD_PRIORITY_BELOW_NORMAL, 0, 0);
    if (started) {
        start.release();  // the thread's now
        ::WaitForSingleObject(running, INFINITE);
    }
    return started;
}

inline unsigned ProcessorCount()
{
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
}
#else
#include <system_error>
#include <thread>

inline bool StartBackgroundThread(std::function<void()> work)
{
    try {
        std::thread(std::move(work)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

inline unsigned ProcessorCount()
{
    return std::thread::hardware_concurrency();
}
#endif
