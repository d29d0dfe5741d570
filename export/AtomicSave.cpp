#include "export/AtomicSave.h"

unsigned SaveAtomically(SaveFileSystem& files, const std::wstring& path, std::string_view bytes)
{
    const bool replacing = files.Exists(path);
    if (replacing) {
        if (const unsigned error = files.CheckReplaceable(path))
            return error;
    }
    std::wstring temporary;
    if (const unsigned error = files.WriteNewFile(path.substr(0, path.rfind(L'\\') + 1), bytes, temporary)) {
        // A file written part way is never put in place, whatever became
        // of the old one meanwhile.
        if (!temporary.empty())
            files.Delete(temporary);
        return error;
    }
    const unsigned error = replacing ? files.Replace(temporary, path) : files.Move(temporary, path);
    if (error && replacing && !files.Exists(path)) {
        // The old file went, the new one did not take its place: it is put
        // there now, and kept wherever it is when that fails too.
        return files.Move(temporary, path);
    }
    if (error)
        files.Delete(temporary);
    return error;
}
