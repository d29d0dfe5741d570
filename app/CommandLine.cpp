#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>

const char* const kUsage = "Usage: Vorlane.exe [/save FILE]\r\n"
                           "  /save FILE  writes the protected files to FILE as CSV, without showing a window\r\n";

namespace {

bool IsSwitch(const std::string& argument, const std::string& name)
{
    if (argument.size() != name.size() + 1 || (argument[0] != '/' && argument[0] != '-'))
        return false;
    return std::equal(name.begin(), name.end(), argument.begin() + 1, [](char expected, char given) {
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
    if (arguments.size() == 2 && IsSwitch(arguments[0], "save") && !arguments[1].empty())
        return {Action::SaveList, arguments[1]};
    return {Action::Wrong, {}};
}
