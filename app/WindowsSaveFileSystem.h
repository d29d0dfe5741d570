#pragma once
#include "app/AtomicSave.h"

// The running system's files.
class WindowsSaveFileSystem final : public SaveFileSystem {
public:
    unsigned CreateTemporaryFile(const std::string& directory, std::string& path) override;
    unsigned WriteAndFlush(const std::string& path, std::string_view bytes) override;
    unsigned Replace(const std::string& from, const std::string& to) override;
    void Delete(const std::string& path) override;
};

// The system's own text for the error `code`, in the user's language.
std::string SystemErrorText(unsigned code);
