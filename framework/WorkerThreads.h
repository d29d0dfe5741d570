#pragma once
#include "framework/WinThread.h"

// Starts the program's worker threads; tests hand in one that fails.
class WorkerThreads {
public:
    virtual ~WorkerThreads() = default;
    // `pfnThreadProc(pParam)` on a new thread at normal priority with the
    // default stack, waiting for Resume, its object the caller's to
    // delete. Null when it cannot be started, with the system's error code
    // in `error`.
    virtual CWinThread* BeginSuspended(AFX_THREADPROC pfnThreadProc, LPVOID pParam, unsigned& error) = 0;

    static WorkerThreads& System();
};
