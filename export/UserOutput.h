#pragma once
#include <string>

// Writes `text` where the user who started the program reads it: the
// standard output or error when they lead somewhere, else the console of
// the program that started this one, if it has one; else, where a person
// sits at the screen, a message box. A console and a message box get the
// text as Unicode, a file or a pipe as ANSI.
void WriteToUser(const std::wstring& text, bool isError);
