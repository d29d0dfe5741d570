#pragma once
#include <string>
#include <vector>

#include "scan/ListRow.h"

class SaveFileSystem;

// Saves `rows`, ANSI as the list holds them, to `path` as a CSV document in
// UTF-8, never half written. 0 when saved, else the system's error code.
unsigned SaveRowsAsCsv(SaveFileSystem& files, const std::string& path, const std::vector<ListRow>& rows);
