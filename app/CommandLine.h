#pragma once
#include <string>
#include <vector>

// What the program was asked to do on its command line. Arguments are
// UTF-16, as the system hands them over: a file's name may hold characters
// that no ANSI code page has.
struct CommandLine {
    enum class Action {
        ShowDialog,  // no arguments
        CheckFile,   // FILE: the dialog, checking FILE at once
        SaveList,    // /save FILE: the list into FILE, no dialog
        VerifyList,  // /verify FILE: every listed file's signature into FILE
        CompareList, // /compare FILE REPORT: how every file differs from the baseline FILE, into REPORT
        ShowUsage,   // /?
        Wrong,       // anything else
    };
    Action action = Action::ShowDialog;
    // The file to check, save or verify into; for /compare, the baseline.
    std::wstring file;
    // For /compare, the file for the differences.
    std::wstring report = {};
    // /all, anywhere: the walk of the Windows folder goes on past the row
    // limit, to the end.
    bool all = false;
    // /json, anywhere: /save, /verify and /compare write JSON Lines, not CSV.
    bool json = false;
    // For Wrong, what is wrong when it is more than an unknown argument.
    std::wstring mistake = {};
};

// The usage text, as /? shows it.
std::wstring UsageText();

// Reads the arguments that follow the program's name. Switches may start
// with / or -, in any letter case; an argument that holds a path separator,
// a dot or a colon is a path, not a switch, and a switch where a file is
// expected makes the command line Wrong. /all and /json may stand anywhere.
// A file named "-" is standard output, and a baseline named so standard
// input; not both at once.
CommandLine ParseCommandLine(const std::vector<std::wstring>& arguments);
