#pragma once
#include <cstdint>

// The desktop shell, asked to open a document (a web page opens in the
// user's browser), to start a program, or to show a file's properties.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens `document` with `verb` and the window show command `showCommand`;
    // greater than 32 on success, as ShellExecute answers.
    virtual std::intptr_t Open(const char* verb, const char* document, int showCommand) = 0;
    // Starts the program at the full path `program` with `parameters`, in a
    // normal window; greater than 32 on success.
    virtual std::intptr_t Run(const char* program, const char* parameters) = 0;
    // Shows the shell's property sheet of the file at `path`; false when it
    // cannot.
    virtual bool ShowProperties(const char* path) = 0;
};
