#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>

const char* const kUsage =
    "Usage: Vorlane.exe [FILE | /save FILE | /verify FILE]\r\n"
    "  FILE          opens the window and checks whether Windows protects FILE\r\n"
    "  /save FILE    writes the protected files to FILE as CSV, without showing a window\r\n"
    "  /verify FILE  verifies the signature of every protected file and writes the results\r\n"
    "                (N, Path, Signature, Signer, SHA256) to FILE as CSV, without showing a window\r\n"
    "Exit codes of /save and /verify:\r\n"
    "  0  the whole list was written (/verify: and every file is signed by a trusted signer)\r\n"
    "  1  nothing was written; the reason follows\r\n"
    "  2  arguments Vorlane does not know\r\n"
    "  3  the list was written, but it stops at 30001 files\r\n"
    "  4  /verify: the results were written, and some file is not signed by a trusted signer\r\n";

namespace {

bool IsSwitch(const std::string& argument)
{
    return argument.size() > 1 && (argument[0] == '/' || argument[0] == '-') &&
           argument.find_first_of("\\/.:", 1) == std::string::npos;
}

bool IsSwitch(const std::string& argument, const std::string& name)
{
    return IsSwitch(argument) && argument.size() == name.size() + 1 &&
           std::equal(name.begin(), name.end(), argument.begin() + 1, [](char expected, char given) {
               return expected == std::tolower(static_cast<unsigned char>(given));
           });
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    using Action = CommandLine::Action;
    if (arguments.empty())
        return {Action::ShowDialog, {}};
    if (arguments.size() == 1 && IsSwitch(arguments[0], "?"))
        return {Action::ShowUsage, {}};
    if (arguments.size() == 1 && !arguments[0].empty() && !IsSwitch(arguments[0]))
        return {Action::CheckFile, arguments[0]};
    if (arguments.size() == 2 && IsSwitch(arguments[0], "save") && !arguments[1].empty())
        return {Action::SaveList, arguments[1]};
    if (arguments.size() == 2 && IsSwitch(arguments[0], "verify") && !arguments[1].empty())
        return {Action::VerifyList, arguments[1]};
    return {Action::Wrong, {}};
}
