#include "export/StandardStreams.h"

#include <algorithm>

#include "export/UserOutput.h"
#include "framework/Afx.h"
#include "platform/ReadWholeFile.h"
#include "platform/TextConversion.h"

namespace {

// The console shows its own code page: it is given the text, in pieces, as
// a console before Windows 8 takes no more than some 64 KB at a time.
unsigned WriteToConsole(HANDLE console, const std::wstring& text)
{
    constexpr std::size_t kPiece = 8192;
    for (std::size_t done = 0; done < text.size();) {
        std::size_t piece = std::min(kPiece, text.size() - done);
        // A surrogate pair stays whole.
        if (piece < text.size() - done && IS_HIGH_SURROGATE(text[done + piece - 1]))
            --piece;
        DWORD written = 0;
        if (!::WriteConsoleW(console, text.data() + done, static_cast<DWORD>(piece), &written, nullptr))
            return ::GetLastError();
        done += piece;
    }
    return 0;
}

class WindowsStandardStreams final : public StandardStreams {
public:
    unsigned ReadInput(std::string& bytes) override
    {
        const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
        if (!input || input == INVALID_HANDLE_VALUE)
            return ERROR_INVALID_HANDLE;
        return ReadStreamToEnd(input, bytes);
    }

    unsigned WriteOutput(std::string_view bytes) override
    {
        const HANDLE output = UserOutputHandle(false);
        if (output == INVALID_HANDLE_VALUE)
            return ERROR_INVALID_HANDLE;
        DWORD mode = 0;
        if (::GetConsoleMode(output, &mode))
            return WriteToConsole(output, WideFromUtf8(bytes));
        while (!bytes.empty()) {
            DWORD written = 0;
            const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 24));
            if (!::WriteFile(output, bytes.data(), ask, &written, nullptr))
                return ::GetLastError();
            bytes.remove_prefix(written);
        }
        return 0;
    }
};

}  // namespace

StandardStreams& StandardStreams::System()
{
    static WindowsStandardStreams streams;
    return streams;
}
