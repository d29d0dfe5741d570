#pragma once
#include <string>

#include "framework/Afx.h"

// Where the user who started the program reads what it writes: the
// standard output or error when they lead somewhere, else the console of the
// program that started this one; INVALID_HANDLE_VALUE when neither is.
HANDLE UserOutputHandle(bool isError);

// Writes `text` where the user who started the program reads it: the
// standard output or error when they lead somewhere, else the console of
// the program that started this one, if it has one; else, where a person
// sits at the screen, a message box. A console and a message box get the
// text as Unicode, a file or a pipe as ANSI.
void WriteToUser(const std::wstring& text, bool isError);

// The console the messages of errors go to, when they go to one: the
// standard error when it is a console, else, when it leads nowhere, the
// console of the program that started this one. INVALID_HANDLE_VALUE when
// standard error is a file or a pipe, or there is no console.
HANDLE ErrorConsole();
