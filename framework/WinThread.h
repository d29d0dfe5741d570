#pragma once
#include "framework/Afx.h"

using AFX_THREADPROC = UINT (*)(LPVOID);

// A thread started by AfxBeginThread. With m_bAutoDelete set the object
// deletes itself when the thread ends; otherwise its owner deletes it, after
// waiting for m_hThread if it needs the thread to be over.
class CWinThread {
public:
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    ~CWinThread();

    // Lets a thread started suspended run; false, with the system's error
    // code as the last error, when it cannot.
    bool Resume() const { return ::ResumeThread(m_hThread) != static_cast<DWORD>(-1); }

    HANDLE m_hThread = nullptr;
    BOOL m_bAutoDelete = TRUE;

private:
    static unsigned __stdcall ThreadEntry(void* pThread);

    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;

    friend CWinThread* AfxBeginThread(AFX_THREADPROC, LPVOID, int, UINT, DWORD);
};

// Starts `pfnThreadProc(pParam)` on a new thread at priority `nPriority`;
// null when it could not be started. A stack size of 0, or one below the
// platform's minimum, gives the program's default stack. With
// CREATE_SUSPENDED in `dwCreateFlags` the thread waits for Resume.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags);
