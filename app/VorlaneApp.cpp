#include "app/VorlaneApp.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ExitCode.h"
#include "app/ScriptCommands.h"
#include "export/UserOutput.h"
#include "app/VorlaneDlg.h"

CVorlaneApp theApp;

namespace {

// The arguments after the program's name, in UTF-16 as the system has
// them: the runtime's ANSI arguments would turn a letter outside the code
// page into a look-alike and name another file.
std::vector<std::wstring> Arguments()
{
    int count = 0;
    LPWSTR* const arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments)
        return {};
    std::vector<std::wstring> following(arguments + (count > 0 ? 1 : 0), arguments + count);
    ::LocalFree(arguments);
    return following;
}

OutputFormat Format(const CommandLine& command)
{
    return command.json ? OutputFormat::JsonLines : OutputFormat::Csv;
}

}  // namespace

BOOL CVorlaneApp::InitInstance()
{
    const CommandLine command = ParseCommandLine(Arguments());
    switch (command.action) {
    case CommandLine::Action::ShowDialog:
    case CommandLine::Action::CheckFile: {
        CVorlaneDlg dlg;
        dlg.CheckOnOpen(command.file);
        dlg.ListAll(command.all);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        break;
    }
    case CommandLine::Action::SaveList:
    case CommandLine::Action::VerifyList: {
        const auto run = command.action == CommandLine::Action::SaveList ? RunSaveCommand : RunVerifyCommand;
        std::wstring message;
        m_nExitCode = run(PlatformServices::Production(), command.file, command.all, message, Format(command));
        if (m_nExitCode != kWritten)
            WriteToUser(message, true);
        break;
    }
    case CommandLine::Action::CompareList: {
        std::wstring message;
        m_nExitCode =
            RunCompareCommand(PlatformServices::Production(), command.file, command.report, message, Format(command));
        if (m_nExitCode != kWritten)
            WriteToUser(message, true);
        break;
    }
    case CommandLine::Action::ShowUsage:
        WriteToUser(UsageText(), false);
        break;
    case CommandLine::Action::Wrong:
        WriteToUser(command.mistake.empty() ? UsageText() : command.mistake + L"\r\n" + UsageText(), true);
        m_nExitCode = kWrongArguments;
        break;
    }
    return FALSE;
}
