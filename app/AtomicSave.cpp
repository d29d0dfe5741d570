#include "app/AtomicSave.h"

#include "scan/PathText.h"

unsigned SaveAtomically(SaveFileSystem& files, const std::string& path, std::string_view bytes,
                        const LeadBytes& lead)
{
    std::string temporary;
    if (const unsigned error = files.CreateTemporaryFile(path.substr(0, FileNameStart(path, lead)), temporary))
        return error;
    unsigned error = files.WriteAndFlush(temporary, bytes);
    if (!error)
        error = files.Replace(temporary, path);
    if (error)
        files.Delete(temporary);
    return error;
}
