#pragma once
#include <cstdint>

#include "framework/Afx.h"

// Which file an open handle reaches: the serial number of its volume and
// the file's index on that volume. Handles of one identity reach one file,
// whatever name each was opened by: a short name, "\\?\", a share of the
// same volume, a drive that stands for a folder, a junction, a hard link.
struct FileIdentity {
    std::uint32_t volume = 0;
    std::uint64_t index = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// 0, or the system's error code when it cannot tell the open file's
// identity.
unsigned IdentityOf(HANDLE file, FileIdentity& identity);
