#include "export/StandardStreams.h"

#include <algorithm>

#include "export/UserOutput.h"
#include "framework/Afx.h"
#include "platform/ReadWholeFile.h"
#include "platform/TextConversion.h"

namespace {

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
        if (::GetConsoleMode(output, &mode)) {
            // The console shows its own code page: it is given the text.
            const std::wstring text = WideFromUtf8(bytes);
            DWORD written = 0;
            return ::WriteConsoleW(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)
                       ? 0
                       : ::GetLastError();
        }
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
