#include "platform/ThreadStarter.h"

#include <system_error>
#include <thread>

namespace {

// Natively, for the tests of what runs on the threads: the priority is
// left as it is.
class StandardThreads final : public ThreadStarter {
public:
    unsigned Start(std::function<void()> work, Priority) override
    {
        try {
            std::thread(std::move(work)).detach();
            return 0;
        } catch (const std::system_error& error) {
            return static_cast<unsigned>(error.code().value());
        }
    }
};

}  // namespace

ThreadStarter& ThreadStarter::System()
{
    static StandardThreads threads;
    return threads;
}

unsigned ProcessorCount()
{
    return std::thread::hardware_concurrency();
}
