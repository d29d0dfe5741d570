#include "platform/ThreadStarter.h"

#include <memory>

#include "framework/Handle.h"
#include "framework/WinThread.h"

namespace {

struct Start {
    std::function<void()> work;
    // Set once the thread runs.
    HANDLE running;
};

UINT Run(LPVOID pParam)
{
    const std::unique_ptr<Start> start(static_cast<Start*>(pParam));
    ::SetEvent(start->running);
    start->work();
    return 0;
}

// The Windows runtime the program links (the one that still runs on
// Windows XP) has no std::thread: these are the framework's threads, which
// delete themselves when done. One starts only once the one before runs:
// under qemu's user-mode emulation, which runs the 32-bit program's tests
// where the kernel runs no 32-bit programs, a thread that Wine starts while
// another is still starting may crash.
class WindowsThreads final : public ThreadStarter {
public:
    unsigned Start(std::function<void()> work, Priority priority) override
    {
        const CHandle running(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
        if (!running)
            return ::GetLastError();
        const int level = priority == Priority::Background ? THREAD_PRIORITY_BELOW_NORMAL : THREAD_PRIORITY_NORMAL;
        auto start = std::make_unique<::Start>(::Start{std::move(work), running});
        if (!AfxBeginThread(Run, start.get(), level, 0, 0)) {
            const DWORD error = ::GetLastError();
            return error ? error : ERROR_NOT_ENOUGH_MEMORY;
        }
        start.release();  // the thread's now
        ::WaitForSingleObject(running, INFINITE);
        return 0;
    }
};

}  // namespace

ThreadStarter& ThreadStarter::System()
{
    static WindowsThreads threads;
    return threads;
}

unsigned ProcessorCount()
{
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    return info.dwNumberOfProcessors;
}
