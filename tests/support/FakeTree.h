#pragma once
// An in-memory directory tree standing in for the platform's directory search.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "scan/DirectorySearch.h"
#include "platform/LeadBytes.h"
#include "platform/PathText.h"

class FakeTree final : public DirectorySearch {
public:
    // Adds the file at `path` (backslash-separated) and every directory above it.
    void AddFile(const std::string& path) { AddEntry(path, {std::string(FileNameOf(path, LeadBytes{})), false, false}); }
    // A directory link: listed in its parent, with the directory attribute.
    void AddLink(const std::string& path) { AddEntry(path, {std::string(FileNameOf(path, LeadBytes{})), true, true}); }
    // The directory exists in its parent's listing but cannot be opened:
    // its listing fails with `error` at once.
    void Lock(const std::string& path, unsigned error = 5) { FailAfter(path, 0, error); }
    // The directory's listing fails with `error` after `entries` entries.
    void FailAfter(const std::string& path, std::size_t entries, unsigned error) { m_failing[path] = {entries, error}; }

    unsigned ForEachEntry(const std::string& directory, const Visitor& visit) override;

    // Every directory the walk opened, in order.
    std::vector<std::string> opened;

private:
    void AddEntry(const std::string& path, DirectoryEntry entry);

    std::map<std::string, std::vector<DirectoryEntry>> m_directories;
    struct Failure {
        std::size_t after;
        unsigned error;
    };
    std::map<std::string, Failure> m_failing;
    std::set<std::string> m_known;
};
