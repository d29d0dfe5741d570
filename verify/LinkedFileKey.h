#pragma once
#include <optional>

#include "framework/Afx.h"
#include "verify/SeenFiles.h"

// ntdll's NtQueryInformationFile, which tells a file's count of names at the
// cost of a handle's query (GetFileInformationByHandle also asks the file's
// volume, which under Wine costs a third of a millisecond).
using NtQueryInformationFileFunction = LONG(WINAPI*)(HANDLE file, void* status, void* information, ULONG length,
                                                     int informationClass);

// The key of the open `file` when it has more than one name; none when it
// has one, or when its names or its key cannot be told. `query` may be
// null: then the count comes from GetFileInformationByHandle.
std::optional<FileKey> LinkedFileKey(HANDLE file, NtQueryInformationFileFunction query);
