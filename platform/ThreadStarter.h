#pragma once
#include <functional>

// Starts the program's threads: the enumeration's and the verification's
// workers. The program runs on the system's; tests hand in one that fails.
// Nobody waits here for a thread to end: work that someone must see
// finished says so itself.
class ThreadStarter {
public:
    enum class Priority {
        Normal,
        // Below normal, so that the interface keeps the processor whenever
        // it wants it.
        Background,
    };

    virtual ~ThreadStarter() = default;
    // Runs `work` on a new thread, and returns once the thread runs:
    // threads start one at a time. 0, or the system's error code when no
    // thread could be started; `work` is then dropped unrun.
    virtual unsigned Start(std::function<void()> work, Priority priority) = 0;

    // The system's threads.
    static ThreadStarter& System();
};

// How many threads the system's processors run at once.
unsigned ProcessorCount();
