#pragma once
#include <string>
#include <vector>

#include "export/ListExport.h"

class SaveFileSystem;

// Saves the table of `header` and `records`, ANSI as the program holds its
// texts, to `path` as a CSV document in UTF-8, never half written. 0 when
// saved, else the system's error code.
unsigned SaveCsv(SaveFileSystem& files, const std::wstring& path, const Record& header,
                 const std::vector<Record>& records);

// The file list's rows, as the CSV document "N,Path".
unsigned SaveRowsAsCsv(SaveFileSystem& files, const std::wstring& path, const std::vector<ListRow>& rows);
