#include "compare/BaselineFile.h"

#include <new>

#include "framework/SystemError.h"
#include "platform/PathKey.h"
#include "platform/ReadWholeFile.h"
#include "platform/TextConversion.h"

bool BaselineInUse::IsFileAt(const std::wstring& path) const
{
    if (!identity)
        return false;
    // Asking for the attributes alone takes no share of the file.
    const CHandle other(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    FileIdentity found;
    return other && IdentityOf(other, found) == 0 && found == *identity;
}

namespace {

// The baseline in `bytes`, or false with `failure` saying why; `named` is
// what a failure calls it, `refused` how it begins when the bytes are no
// baseline.
bool ReadKeyedBaseline(const std::string& bytes, const std::wstring& named, const std::wstring& refused,
                       Baseline& baseline, std::wstring& failure)
{
    Baseline read;
    try {
        read = ReadBaseline(bytes, Utf8PathKey);
    } catch (const std::bad_alloc&) {
        failure = L"Vorlane could not read " + named + L". " + WideText(SystemErrorText(ERROR_NOT_ENOUGH_MEMORY));
        return false;
    }
    if (!read.refusal.empty()) {
        failure = refused + WideFromUtf8(read.refusal) + L".";
        return false;
    }
    baseline = std::move(read);
    return true;
}

}  // namespace

bool ReadInputBaseline(const std::string& bytes, Baseline& baseline, std::wstring& failure)
{
    return ReadKeyedBaseline(bytes, L"the baseline from standard input",
                             L"Vorlane cannot compare with standard input. What it holds is no baseline: ", baseline, failure);
}

bool LoadBaseline(const std::wstring& path, BaselineInUse& loaded, std::wstring& failure)
{
    const auto unread = [&](const std::string& why) {
        failure = L"Vorlane could not read the baseline " + path + L". " + WideText(why);
        return false;
    };
    CHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return unread(SystemErrorText(::GetLastError()));
    std::string bytes;
    if (const unsigned error = ReadWholeFile(file, bytes)) {
        return unread(error == ERROR_FILE_TOO_LARGE
                          ? "It is larger than " + std::to_string(kMaxWholeFileBytes >> 30) + " GB."
                          : SystemErrorText(error));
    }
    Baseline read;
    if (!ReadKeyedBaseline(bytes, L"the baseline " + path,
                           L"Vorlane cannot compare with " + path + L". The file is no baseline: ", read, failure))
        return false;
    FileIdentity identity;
    loaded.identity = IdentityOf(file, identity) == 0 ? std::optional(identity) : std::nullopt;
    loaded.baseline = std::move(read);
    loaded.file = std::move(file);
    return true;
}
