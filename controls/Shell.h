#pragma once
#include <cstdint>

// The desktop shell, asked to open a document (a web page opens in the
// user's browser).
class Shell {
public:
    virtual ~Shell() = default;
    // Opens `document` with `verb` and the window show command `showCommand`;
    // greater than 32 on success, as ShellExecute answers.
    virtual std::intptr_t Open(const char* verb, const char* document, int showCommand) = 0;
};
