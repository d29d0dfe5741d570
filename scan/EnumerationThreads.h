#pragma once
// The worker thread that fills the file list.
#include <memory>

#include "framework/WinThread.h"
#include "scan/Enumeration.h"

class RowQueue;

// What the worker thread needs. The thread owns it: it is made with `new`
// and handed to the thread, which deletes it when done. The sources live as
// long as the process; the queue is shared with the list's owner, so a
// worker that outlives the dialog (held up in a service) touches nothing of
// the dialog's.
struct EnumerationJob {
    ProtectedFileSources sources;
    std::shared_ptr<RowQueue> rows;
};

// Takes an EnumerationJob made with `new` as its parameter, lists the
// protected files into the job's queue, closes the queue with the outcome,
// deletes the job and returns 0.
UINT EnumerationThread(LPVOID pParam);
