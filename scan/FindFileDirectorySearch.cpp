#include "scan/FindFileDirectorySearch.h"

#include "framework/FileFind.h"
#include "platform/LastError.h"
#include "platform/PathText.h"
#include "platform/SystemLeadBytes.h"

unsigned FindFileDirectorySearch::ForEachEntry(const std::string& directory, const Visitor& visit)
{
    CFileFind finder;
    // Only opening the search resolves the path; the entries come from the
    // open handle. Turning redirection back on may touch the last error.
    unsigned openError = 0;
    {
        const RedirectionOff redirectionOff(m_redirection);
        if (!finder.FindFile(JoinPath(directory, "*.*", SystemLeadBytes()).c_str()))
            openError = LastErrorOr(ERROR_PATH_NOT_FOUND);
    }
    if (openError)
        return openError;
    DirectoryEntry entry;
    for (BOOL more = TRUE; more;) {
        more = finder.FindNextFile();
        entry.name = finder.GetFileName().str();
        entry.isDirectory = finder.IsDirectory();
        entry.isReparsePoint = finder.MatchesMask(FILE_ATTRIBUTE_REPARSE_POINT);
        if (!visit(entry))
            return 0;
    }
    return finder.EndError();
}
