#pragma once
#include <string>

struct PlatformServices;

// Vorlane.exe /save FILE: lists the protected files as the dialog would,
// without a window, and saves them to `file` as CSV. The process's exit
// code: 0 when the file was written, 1 when it was not, with the reason in
// `error`.
int RunSaveCommand(PlatformServices& services, const std::string& file, std::string& error);

// Writes `text` where the user who started the program reads it: the
// standard output or error when they lead somewhere, else the console of
// the program that started this one, if it has one.
void WriteToUser(const std::string& text, bool isError);
