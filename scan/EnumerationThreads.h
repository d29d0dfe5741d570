#pragma once
// The worker thread procedures that fill the file list, one per strategy.
#include <memory>

#include "framework/WinThread.h"

class DirectorySearch;
class FileProtection;
class LeadBytes;
class RowQueue;
class SystemInfo;

// What a worker thread needs. The thread owns it: it is made with `new` and
// handed to the thread, which deletes it when done. The services live as
// long as the process; the queue is shared with the list's owner, so a
// worker that outlives the dialog (held up in a service) touches nothing of
// the dialog's.
struct EnumerationJob {
    FileProtection& protection;
    DirectorySearch& directories;
    SystemInfo& system;
    const LeadBytes& leadBytes;
    std::shared_ptr<RowQueue> rows;
};

// Each takes an EnumerationJob made with `new` as its parameter, hands its
// rows to the job's queue, closes the queue when done, deletes the job and
// returns 0.
UINT EnumProtectedFilesThread(LPVOID pParam);
UINT ScanWindowsDirThread(LPVOID pParam);

// The strategy for an operating system of this major version: the service's
// own list before version 6, the walk of the Windows directory from 6 on.
AFX_THREADPROC EnumerationThreadFor(unsigned long majorVersion);
