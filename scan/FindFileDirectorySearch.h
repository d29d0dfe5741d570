#pragma once
#include "scan/DirectorySearch.h"

// Lists directories with the platform's own search (FindFirstFile and
// FindNextFile), in the order it delivers their entries.
class FindFileDirectorySearch final : public DirectorySearch {
public:
    bool ForEachEntry(const std::string& directory, const Visitor& visit) override;
};
