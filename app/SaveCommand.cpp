#include "app/SaveCommand.h"

#include <vector>

#include "app/ListFile.h"
#include "app/PlatformServices.h"
#include "app/WindowsSaveFileSystem.h"
#include "framework/Afx.h"
#include "scan/Enumeration.h"
#include "scan/RowSink.h"
#include "scan/SystemInfo.h"
#include "scan/SystemLeadBytes.h"

namespace {

class CollectedRows final : public RowSink {
public:
    void AddRow(ListRow row) override { rows.push_back(std::move(row)); }
    bool StopRequested() const override { return false; }

    std::vector<ListRow> rows;
};

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
    CollectedRows collected;
    if (services.system.MajorVersion() < 6)
        EnumerateProtectedFiles(services.protection, collected);
    else
        ScanWindowsDirectory(services.system.WindowsDirectory(), services.directories, services.protection, collected,
                             SystemLeadBytes());
    if (const unsigned code = SaveRowsAsCsv(services.files, file, collected.rows)) {
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
