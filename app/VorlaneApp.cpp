#include "app/VorlaneApp.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ExitCode.h"
#include "app/ScriptCommands.h"
#include "app/VorlaneDlg.h"

CVorlaneApp theApp;

namespace {

// The arguments after the program's name, as the runtime split them.
std::vector<std::string> Arguments()
{
    return std::vector<std::string>(__argv + (__argc > 0 ? 1 : 0), __argv + __argc);
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
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        break;
    }
    case CommandLine::Action::SaveList:
    case CommandLine::Action::VerifyList: {
        const auto run = command.action == CommandLine::Action::SaveList ? RunSaveCommand : RunVerifyCommand;
        std::string message;
        m_nExitCode = run(PlatformServices::Production(), command.file, message);
        if (m_nExitCode != kWritten)
            WriteToUser(message, true);
        break;
    }
    case CommandLine::Action::ShowUsage:
        WriteToUser(kUsage, false);
        break;
    case CommandLine::Action::Wrong:
        WriteToUser(kUsage, true);
        m_nExitCode = kWrongArguments;
        break;
    }
    return FALSE;
}
