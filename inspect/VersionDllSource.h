#pragma once
#include "inspect/VersionSource.h"

// Reads version resources through the system's version library.
class VersionDllSource final : public VersionSource {
public:
    std::uint32_t BlockSize(const std::string& path) override;
    bool ReadBlock(const std::string& path, std::vector<unsigned char>& block) override;
    bool QueryValue(std::vector<unsigned char>& block, const std::string& subBlock, const void*& value,
                    std::uint32_t& length) override;
};
