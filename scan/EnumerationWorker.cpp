#include "scan/EnumerationWorker.h"

#include "framework/Afx.h"
#include "scan/RowQueue.h"

void RunEnumeration(const EnumerationJob& job)
{
    const ListingOutcome outcome = ListProtectedFiles(job.sources, *job.rows);
    // A full message queue refuses the wake-up: the last rows must still
    // reach the list, unless nobody wants them any more.
    constexpr DWORD kRetryMs = 50;
    while (!job.rows->Finish(outcome) && !job.rows->StopRequested())
        ::Sleep(kRetryMs);
}
