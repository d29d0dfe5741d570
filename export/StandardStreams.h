#pragma once
#include <string>
#include <string_view>

// The standard input and output a parent hands the program: a script's
// pipes, or files it redirected them to.
class StandardStreams {
public:
    virtual ~StandardStreams() = default;
    // Reads standard input to its end into `bytes`. 0, or the system's error
    // code.
    virtual unsigned ReadInput(std::string& bytes) = 0;
    // Writes all of `bytes`, UTF-8, to standard output. 0, or the system's
    // error code.
    virtual unsigned WriteOutput(std::string_view bytes) = 0;

    // The process's own.
    static StandardStreams& System();
};

// What stands for standard input or output where a file is named: "-".
inline bool IsStandardStream(const std::wstring& file)
{
    return file == L"-";
}
