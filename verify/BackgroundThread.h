#pragma once
// Threads that nobody waits for. The Windows runtime the program links (the
// one that still runs on Windows XP) has no std::thread, so there they are
// the framework's threads.
#include <functional>
#include <memory>

#ifdef _WIN32
#include "framework/WinThread.h"

namespace background_thread {

inline UINT Run(LPVOID pParam)
{
    const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(pParam));
    (*work)();
    return 0;
}

}  // namespace background_thread

// Runs `work` on a thread of its own below normal priority, so that the
// interface keeps the processor whenever it wants it; false when no thread
// could be started.
inline bool StartBackgroundThread(std::function<void()> work)
{
    auto owned = std::make_unique<std::function<void()>>(std::move(work));
    if (!AfxBeginThread(background_thread::Run, owned.get(), THREAD_PRIORITY_BELOW_NORMAL, 0, 0))
        return false;
    owned.release();  // the thread's now
    return true;
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
