#include "export/AtomicSave.h"

unsigned SaveAtomically(SaveFileSystem& files, const std::wstring& path, std::string_view bytes)
{
    const bool replacing = files.Exists(path);
    if (replacing) {
        if (const unsigned error = files.CheckReplaceable(path))
            return error;
    }
    std::wstring temporary;
    unsigned error = files.WriteNewFile(path.substr(0, path.rfind(L'\\') + 1), bytes, temporary);
    if (!error)
        error = replacing ? files.Replace(temporary, path) : files.Move(temporary, path);
    if (error && replacing && !temporary.empty() && !files.Exists(path)) {
        // The old file went, the new one did not take its place: it is put
        // there now, and kept wherever it is when that fails too.
        return files.Move(temporary, path);
    }
    if (error && !temporary.empty())
        files.Delete(temporary);
    return error;
}
