#include "scan/EnumerationThreads.h"

#include "scan/Enumeration.h"
#include "scan/RowQueue.h"
#include "scan/SystemInfo.h"

namespace {

// A full message queue refuses the wake-up: the last rows must still reach
// the list, unless nobody wants them any more.
void FinishRows(RowQueue& rows, bool stoppedAtLimit)
{
    constexpr DWORD kRetryMs = 50;
    while (!rows.Finish(stoppedAtLimit) && !rows.StopRequested())
        ::Sleep(kRetryMs);
}

}  // namespace

UINT EnumProtectedFilesThread(LPVOID pParam)
{
    const std::unique_ptr<EnumerationJob> job(static_cast<EnumerationJob*>(pParam));
    EnumerateProtectedFiles(job->protection, *job->rows);
    FinishRows(*job->rows, false);
    return 0;
}

UINT ScanWindowsDirThread(LPVOID pParam)
{
    const std::unique_ptr<EnumerationJob> job(static_cast<EnumerationJob*>(pParam));
    const bool stoppedAtLimit = ScanWindowsDirectory(job->system.WindowsDirectory(), job->directories,
                                                     job->protection, *job->rows, job->leadBytes);
    FinishRows(*job->rows, stoppedAtLimit);
    return 0;
}

AFX_THREADPROC EnumerationThreadFor(unsigned long majorVersion)
{
    return majorVersion < 6 ? EnumProtectedFilesThread : ScanWindowsDirThread;
}
