#include "scan/FillStatus.h"

#include "scan/ProtectedFileScanner.h"

namespace {

std::string Files(unsigned count)
{
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

}  // namespace

std::string FillingStatus(unsigned checked, unsigned protectedFiles)
{
    return "Checked " + Files(checked) + ", " + std::to_string(protectedFiles) + " protected so far...";
}

std::string FilledStatus(unsigned rows, bool stoppedAtLimit)
{
    if (stoppedAtLimit) {
        return "The list stops at " + Files(CProtectedFileScanner::kMaxRows) +
               "; the rest of the Windows folder was not checked.";
    }
    if (rows == 0)
        return "No protected files were reported.";
    return std::to_string(rows) + (rows == 1 ? " protected file." : " protected files.");
}

std::string IncompleteStatus(unsigned rows, const std::string& reason)
{
    return "The list is incomplete: the protection service failed after " + Files(rows) + ". " + reason;
}

std::string UnlistedStatus(std::size_t folders, const std::string& first, const std::string& reason)
{
    const std::string which = folders == 1 ? " folder could not be listed, " : " folders could not be listed, the first ";
    return "The list is incomplete: " + std::to_string(folders) + which + first + ". " + reason;
}

std::string NotStartedStatus(const std::string& reason)
{
    return "The list could not be made: " + reason;
}
