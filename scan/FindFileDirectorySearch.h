#pragma once
#include "scan/DirectorySearch.h"
#include "platform/FileSystemRedirection.h"

// Lists directories with the platform's own search (FindFirstFile and
// FindNextFile), in the order it delivers their entries. Under WOW64 it
// opens each directory with redirection off, so System32 is the real one,
// and turns it back on before it hands out an entry.
class FindFileDirectorySearch final : public DirectorySearch {
public:
    explicit FindFileDirectorySearch(FileSystemRedirection& redirection) : m_redirection(redirection) {}

    unsigned ForEachEntry(const std::string& directory, const Visitor& visit) override;

private:
    FileSystemRedirection& m_redirection;
};
