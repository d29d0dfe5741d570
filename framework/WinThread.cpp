#include "framework/WinThread.h"

#include <process.h>

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

unsigned __stdcall CWinThread::ThreadEntry(void* pThreadObject)
{
    auto* pThread = static_cast<CWinThread*>(pThreadObject);
    const UINT exitCode = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    if (pThread->m_bAutoDelete)
        delete pThread;
    return exitCode;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags)
{
    auto* pThread = new CWinThread(pfnThreadProc, pParam);
    // Start suspended so the object is complete before the thread can end
    // and, with auto-delete, delete it.
    const uintptr_t handle = _beginthreadex(nullptr, nStackSize, CWinThread::ThreadEntry, pThread,
                                            CREATE_SUSPENDED, nullptr);
    if (handle == 0) {
        delete pThread;
        return nullptr;
    }
    pThread->m_hThread = reinterpret_cast<HANDLE>(handle);
    ::SetThreadPriority(pThread->m_hThread, nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED) && !pThread->Resume()) {
        // It never ran: nothing of it is left to wait for.
        const DWORD error = ::GetLastError();
        ::TerminateThread(pThread->m_hThread, 0);
        pThread->m_bAutoDelete = FALSE;
        delete pThread;
        ::SetLastError(error);
        return nullptr;
    }
    return pThread;
}
