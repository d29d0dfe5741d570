#pragma once
// GoogleTest's Notification is written with std::mutex, which the Windows
// runtime of this project (the one that still runs on Windows XP) does not
// have. GoogleTest lets a port bring its own: this one is a Windows event.
// Included ahead of every file of the MinGW test build.
#ifdef _WIN32
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification() : m_event(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { ::CloseHandle(m_event); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { ::SetEvent(m_event); }
    void WaitForNotification() { ::WaitForSingleObject(m_event, INFINITE); }

private:
    HANDLE m_event;
};

}  // namespace testing::internal
#endif
