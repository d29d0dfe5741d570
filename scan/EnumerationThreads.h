#pragma once
// The worker thread procedures that fill the file list, one per strategy.
#include "framework/WinThread.h"

class DirectorySearch;
class FileProtection;
class RowQueue;
class SystemInfo;

// What a worker thread needs; its owner keeps it alive until the thread ends.
struct EnumerationJob {
    FileProtection& protection;
    DirectorySearch& directories;
    SystemInfo& system;
    RowQueue& rows;
};

// Each takes the EnumerationJob as its parameter, hands its rows to the job's
// queue, closes the queue when done and returns 0.
UINT EnumProtectedFilesThread(LPVOID pParam);
UINT ScanWindowsDirThread(LPVOID pParam);

// The strategy for an operating system of this major version: the service's
// own list before version 6, the walk of the Windows directory from 6 on.
AFX_THREADPROC EnumerationThreadFor(unsigned long majorVersion);
