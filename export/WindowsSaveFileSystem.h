#pragma once
#include "export/AtomicSave.h"

// The running system's files.
class WindowsSaveFileSystem final : public SaveFileSystem {
public:
    bool Exists(const std::wstring& path) override;
    unsigned CheckReplaceable(const std::wstring& path) override;
    unsigned WriteNewFile(const std::wstring& directory, std::string_view bytes, std::wstring& path) override;
    unsigned Replace(const std::wstring& from, const std::wstring& to) override;
    unsigned Move(const std::wstring& from, const std::wstring& to) override;
    void Delete(const std::wstring& path) override;
};
