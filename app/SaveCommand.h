#pragma once
#include <string>

struct PlatformServices;

// Exit codes of Vorlane.exe /save FILE.
enum SaveExitCode {
    kSaveWritten = 0,       // the whole list was written
    kSaveNotWritten = 1,    // nothing was written: the file or the service failed
    kWrongArguments = 2,    // the command line was not understood
    kSaveWrittenCut = 3,    // written, but the walk stopped at the row limit
};

// Vorlane.exe /save FILE: lists the protected files as the dialog would, on
// this thread and without a window, and saves them to `file` as CSV. Gives
// the process's exit code; for any code but kSaveWritten, `message` says
// what happened.
int RunSaveCommand(PlatformServices& services, const std::string& file, std::string& message);

// Writes `text` where the user who started the program reads it: the
// standard output or error when they lead somewhere, else the console of
// the program that started this one, if it has one; else, where a person
// sits at the screen, a message box. A console gets the text as Unicode.
void WriteToUser(const std::string& text, bool isError);
