#pragma once
#include "export/AtomicSave.h"

// The running system's files.
class WindowsSaveFileSystem final : public SaveFileSystem {
public:
    unsigned WriteNewFile(const std::string& directory, std::string_view bytes, std::string& path) override;
    unsigned Replace(const std::string& from, const std::string& to) override;
    void Delete(const std::string& path) override;
};
