#pragma once
// The row queue's lock. The Windows runtime the program links (the one that
// still runs on Windows XP) has no std::mutex, so there it is a critical
// section.
#ifdef _WIN32
#include "framework/CriticalSection.h"
using QueueMutex = CCriticalSection;
#else
#include <mutex>
using QueueMutex = std::mutex;
#endif
