#include "export/AtomicSave.h"

#include "scan/PathText.h"

unsigned SaveAtomically(SaveFileSystem& files, const std::string& path, std::string_view bytes,
                        const LeadBytes& lead)
{
    std::string temporary;
    unsigned error = files.WriteNewFile(path.substr(0, FileNameStart(path, lead)), bytes, temporary);
    if (!error)
        error = files.Replace(temporary, path);
    if (error && !temporary.empty())
        files.Delete(temporary);
    return error;
}
