#pragma once
// The work of the thread that fills the file list.
#include <memory>

#include "scan/Enumeration.h"

class RowQueue;

// What the worker needs. The sources live as long as the process; the
// queue is shared with the list's owner, so a worker that outlives the
// dialog (held up in a service) touches nothing of the dialog's.
struct EnumerationJob {
    ProtectedFileSources sources;
    std::shared_ptr<RowQueue> rows;
};

// Lists the protected files into the job's queue and closes the queue with
// the outcome.
void RunEnumeration(const EnumerationJob& job);
