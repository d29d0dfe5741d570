#pragma once
#include <optional>
#include <string>

#include "framework/Afx.h"

// When a file was last written, and its size: what tells that a catalog
// kept from before is still the file it was.
struct FileStamp {
    FILETIME written;
    ULONGLONG size;

    friend bool operator==(const FileStamp& a, const FileStamp& b)
    {
        return a.size == b.size && ::CompareFileTime(&a.written, &b.written) == 0;
    }
};

// The stamp of the file at `path`; none when it cannot be said.
std::optional<FileStamp> StampOf(const std::wstring& path);
