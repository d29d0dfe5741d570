#include "scan/EnumerationThreads.h"

#include "scan/Enumeration.h"
#include "scan/RowQueue.h"
#include "scan/SystemInfo.h"

UINT EnumProtectedFilesThread(LPVOID pParam)
{
    auto& job = *static_cast<EnumerationJob*>(pParam);
    EnumerateProtectedFiles(job.protection, job.rows);
    job.rows.Finish();
    return 0;
}

UINT ScanWindowsDirThread(LPVOID pParam)
{
    auto& job = *static_cast<EnumerationJob*>(pParam);
    ScanWindowsDirectory(job.system.WindowsDirectory(), job.directories, job.protection, job.rows);
    job.rows.Finish();
    return 0;
}

AFX_THREADPROC EnumerationThreadFor(unsigned long majorVersion)
{
    return majorVersion < 6 ? EnumProtectedFilesThread : ScanWindowsDirThread;
}
