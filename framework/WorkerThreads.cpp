#include "framework/WorkerThreads.h"

namespace {

class SystemWorkerThreads final : public WorkerThreads {
public:
    CWinThread* BeginSuspended(AFX_THREADPROC pfnThreadProc, LPVOID pParam, unsigned& error) override
    {
        CWinThread* pThread = AfxBeginThread(pfnThreadProc, pParam, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        if (!pThread) {
            error = ::GetLastError();
            if (!error)
                error = ERROR_NOT_ENOUGH_MEMORY;
            return nullptr;
        }
        pThread->m_bAutoDelete = FALSE;
        return pThread;
    }
};

}  // namespace

WorkerThreads& WorkerThreads::System()
{
    static SystemWorkerThreads threads;
    return threads;
}
