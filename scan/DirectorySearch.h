#pragma once
#include <functional>
#include <string>

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;
    // A junction or a symbolic link: a directory one is never walked.
    bool isReparsePoint = false;
};

// Lists a directory's entries in the platform's own order.
class DirectorySearch {
public:
    using Visitor = std::function<bool(const DirectoryEntry&)>;
    virtual ~DirectorySearch() = default;
    // Calls `visit` for each entry of `directory` ("." and ".." included, as
    // the platform delivers them) until it returns false. 0 when the
    // directory was listed to its end or `visit` stopped it; else the
    // system's error code: the directory could not be opened, or its
    // listing failed part way.
    virtual unsigned ForEachEntry(const std::string& directory, const Visitor& visit) = 0;
};
