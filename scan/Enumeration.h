#pragma once
// The two ways of listing the protected files. Both run on the worker thread
// and hand their rows, numbered from 1 in the order found, to `rows`.
#include <string>

class DirectorySearch;
class FileProtection;
class LeadBytes;
class RowSink;

// Asks the service for its own list, file after file, to the end: until it
// says no more, or its cursor stops moving on.
void EnumerateProtectedFiles(FileProtection& protection, RowSink& rows);

// Walks the tree under `windowsDirectory` and asks about every file in it.
// Paths are ANSI text in the code page with the lead bytes `lead`. True when
// the walk ended at the row limit, before the whole tree was checked.
bool ScanWindowsDirectory(const std::string& windowsDirectory, DirectorySearch& search,
                          FileProtection& protection, RowSink& rows, const LeadBytes& lead);
