#pragma once
#include "inspect/VersionSource.h"
#include "verify/FileDescriptionSource.h"

// Files described by their version resources, read as the details panel
// reads them: every length checked before anything is asked of the system.
class VersionResourceDescriptions final : public FileDescriptionSource {
public:
    explicit VersionResourceDescriptions(VersionSource& versions) : m_versions(versions) {}

    FileDescription Describe(const std::string& path) override;

private:
    VersionSource& m_versions;
};
