#pragma once
// A lock for data that threads share: the row queue, a verification job.
// The Windows runtime the program links (the one that still runs on
// Windows XP) has no std::mutex, so there it is a critical section.
#ifdef _WIN32
#include "framework/CriticalSection.h"
using Mutex = CCriticalSection;
#else
#include <mutex>
using Mutex = std::mutex;
#endif
