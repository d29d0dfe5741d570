#include "app/SaveCommand.h"

#include <cstdint>
#include <memory>

#include "app/ListFile.h"
#include "app/PlatformServices.h"
#include "app/WindowsSaveFileSystem.h"
#include "framework/Afx.h"
#include "scan/EnumerationThreads.h"
#include "scan/RowQueue.h"
#include "scan/SystemInfo.h"
#include "scan/SystemLeadBytes.h"

namespace {

HANDLE UserOutput(bool isError)
{
    const HANDLE standard = ::GetStdHandle(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (standard && standard != INVALID_HANDLE_VALUE && ::GetFileType(standard) != FILE_TYPE_UNKNOWN)
        return standard;
    // A program of the Windows subsystem has no console of its own; borrow
    // the one it was started from.
    static const HANDLE console = [] {
        if (!::AttachConsole(ATTACH_PARENT_PROCESS))
            return INVALID_HANDLE_VALUE;
        return ::CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    }();
    return console;
}

}  // namespace

int RunSaveCommand(PlatformServices& services, const std::string& file, std::string& error)
{
    // The dialog's own worker, run on this thread: the file holds what the
    // list would. Nobody waits to be woken.
    const auto rows = std::make_shared<RowQueue>([] { return true; });
    EnumerationThreadFor(services.system.MajorVersion())(
        new EnumerationJob{services.protection, services.directories, services.system, SystemLeadBytes(), rows});
    if (const unsigned code = SaveRowsAsCsv(services.files, file, rows->Take(SIZE_MAX).rows)) {
        error = "Vorlane could not save the list as " + file + ": " + SystemErrorText(code) + "\r\n";
        return 1;
    }
    return 0;
}

void WriteToUser(const std::string& text, bool isError)
{
    const HANDLE output = UserOutput(isError);
    DWORD written = 0;
    if (output != INVALID_HANDLE_VALUE)
        ::WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
