#include "app/BaselineFile.h"

#include "framework/Afx.h"
#include "framework/SystemError.h"
#include "platform/PathKey.h"
#include "platform/ReadWholeFile.h"
#include "platform/TextConversion.h"

bool LoadBaseline(const std::wstring& file, Baseline& baseline, std::wstring& failure)
{
    std::string bytes;
    if (const unsigned error = ReadWholeFile(file, bytes)) {
        const std::string why = error == ERROR_FILE_TOO_LARGE
                                    ? "It is larger than " + std::to_string(kMaxWholeFileBytes >> 30) + " GB."
                                    : SystemErrorText(error);
        failure = L"Vorlane could not read the baseline " + file + L". " + WideText(why);
        return false;
    }
    Baseline read = ReadBaseline(bytes, Utf8PathKey);
    if (!read.refusal.empty()) {
        failure = L"Vorlane cannot compare with " + file + L". The file is no baseline: " +
                  WideFromUtf8(read.refusal) + L".";
        return false;
    }
    baseline = std::move(read);
    return true;
}
