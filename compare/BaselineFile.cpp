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
    try {
        read = ReadBaseline(bytes, Utf8PathKey);
    } catch (const std::bad_alloc&) {
        return unread(SystemErrorText(ERROR_NOT_ENOUGH_MEMORY));
    }
    if (!read.refusal.empty()) {
        failure = L"Vorlane cannot compare with " + path + L". The file is no baseline: " +
                  WideFromUtf8(read.refusal) + L".";
        return false;
    }
    FileIdentity identity;
    loaded.identity = IdentityOf(file, identity) == 0 ? std::optional(identity) : std::nullopt;
    loaded.baseline = std::move(read);
    loaded.file = std::move(file);
    return true;
}
