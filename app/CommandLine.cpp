#include "app/CommandLine.h"

#include <algorithm>
#include <cwctype>

#include "export/StandardStreams.h"
#include "scan/ProtectedFileScanner.h"
#include "verify/VerificationReport.h"

std::wstring UsageText()
{
    const std::wstring limit = std::to_wstring(CProtectedFileScanner::kMaxRows);
    const std::string verified = CsvNamesOf(VerifiedFileColumns());
    return L"Usage: Vorlane.exe [FILE | /save FILE | /verify FILE | /compare BASELINE REPORT] [/all] [/json]\r\n"
           L"  FILE          opens the window and checks whether Windows protects FILE\r\n"
           L"  /save FILE    writes the protected files to FILE as CSV, without showing a window\r\n"
           L"  /verify FILE  verifies the signature of every protected file and writes the results\r\n"
           L"                (" + std::wstring(verified.begin(), verified.end()) +
           L") to FILE as CSV, without showing a window\r\n"
           L"  /compare BASELINE REPORT\r\n"
           L"                verifies every protected file as /verify /all does, compares the results with\r\n"
           L"                BASELINE (a file /verify wrote) and writes each difference to REPORT as CSV:\r\n"
           L"                Added; Removed; Updated (other bytes of the same program, a later version,\r\n"
           L"                signed and trusted both times by the same signer under the same root);\r\n"
           L"                Downgraded (the same, but an earlier version); Changed (other bytes, any\r\n"
           L"                other way: another program, the same version built again, another signer\r\n"
           L"                or root, not trusted); Signature changed (the same bytes); Not compared\r\n"
           L"                (not read) for a file that could not be read or checked, then or now;\r\n"
           L"                Not compared (folder not listed) for a file of a folder that could not be\r\n"
           L"                listed; Not compared (stopped)\r\n"
           L"  /all          lists every protected file: without it, the walk of the Windows folder stops\r\n"
           L"                at " + limit + L" files, and a current Windows (10 or 11), whose system files\r\n"
           L"                number well over 100,000, has many more\r\n"
           L"  /json         /save, /verify and /compare write JSON Lines instead of CSV: one object a file or\r\n"
           L"                difference, then a summary object with the counts and the exit code\r\n"
           L"  -             as FILE or REPORT, writes to standard output; as BASELINE, reads standard input\r\n"
           L"                (not both at once)\r\n"
           L"Exit codes of /save, /verify and /compare:\r\n"
           L"  0  the whole list was written (/verify: and every file is signed by a trusted signer;\r\n"
           L"     /compare: and nothing differs from the baseline but updates)\r\n"
           L"  1  nothing was written; the reason follows\r\n"
           L"  2  arguments Vorlane does not know\r\n"
           L"  3  the list was written, but it stops at " + limit + L" files (never with /all), or some\r\n"
           L"     folder could not be listed (the message names them)\r\n"
           L"  4  /verify: the results were written, and some file is not signed by a trusted signer\r\n"
           L"  5  /compare: the differences were written, and some are not updates\r\n"
           L"A FILE or REPORT that looks like a switch (/q) is taken for a mistake: exit 2.\r\n";
}

namespace {

bool IsSwitch(const std::wstring& argument)
{
    return argument.size() > 1 && (argument[0] == L'/' || argument[0] == L'-') &&
           argument.find_first_of(L"\\/.:", 1) == std::wstring::npos;
}

bool IsSwitch(const std::wstring& argument, const std::wstring& name)
{
    return IsSwitch(argument) && argument.size() == name.size() + 1 &&
           std::equal(name.begin(), name.end(), argument.begin() + 1, [](wchar_t expected, wchar_t given) {
               return given < 0x80 && expected == static_cast<wchar_t>(std::towlower(static_cast<wint_t>(given)));
           });
}

// An argument where a file is expected: a switch there is a mistake (a
// misspelt /all, or a switch given too many), never a file of that name.
bool IsFileName(const std::wstring& argument)
{
    return !argument.empty() && !IsSwitch(argument);
}

// The action that the arguments other than /all ask for.
CommandLine ParseAction(const std::vector<std::wstring>& arguments)
{
    using Action = CommandLine::Action;
    if (arguments.empty())
        return {Action::ShowDialog, {}};
    if (arguments.size() == 1 && IsSwitch(arguments[0], L"?"))
        return {Action::ShowUsage, {}};
    if (arguments.size() == 1 && IsFileName(arguments[0]))
        return {Action::CheckFile, arguments[0]};
    if (arguments.size() == 2 && IsSwitch(arguments[0], L"save") && IsFileName(arguments[1]))
        return {Action::SaveList, arguments[1]};
    if (arguments.size() == 2 && IsSwitch(arguments[0], L"verify") && IsFileName(arguments[1]))
        return {Action::VerifyList, arguments[1]};
    if (arguments.size() == 3 && IsSwitch(arguments[0], L"compare") && IsFileName(arguments[1]) &&
        IsFileName(arguments[2]))
        return {Action::CompareList, arguments[1], arguments[2]};
    return {Action::Wrong, {}};
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::wstring>& given)
{
    using Action = CommandLine::Action;
    std::vector<std::wstring> arguments;
    bool all = false, json = false;
    for (const std::wstring& argument : given) {
        if (IsSwitch(argument, L"all"))
            all = true;
        else if (IsSwitch(argument, L"json"))
            json = true;
        else
            arguments.push_back(argument);
    }
    CommandLine command = ParseAction(arguments);
    const bool writes = command.action == Action::SaveList || command.action == Action::VerifyList ||
                        command.action == Action::CompareList;
    // The usage takes nothing more.
    if (all && command.action == Action::ShowUsage) {
        command = {Action::Wrong, {}};
    } else if (json && !writes && command.action != Action::Wrong) {
        command = {Action::Wrong, {}};
        command.mistake = L"/json says how /save, /verify and /compare write their file: give it with one of them.";
    } else if (command.action == Action::CompareList && IsStandardStream(command.file) &&
               IsStandardStream(command.report)) {
        command = {Action::Wrong, {}};
        command.mistake = L"/compare reads the baseline from standard input (-) or writes the differences to "
                          L"standard output (-), not both: name a file for one of them.";
    }
    command.all = all && command.action != Action::Wrong;
    command.json = json && command.action != Action::Wrong;
    return command;
}
