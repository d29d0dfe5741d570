#include "app/VersionResourceDescriptions.h"

#include "inspect/VersionSummary.h"

FileDescription VersionResourceDescriptions::Describe(const std::string& path)
{
    VersionFacts facts = ReadVersionFacts(m_versions, path);
    return {std::move(facts.fileVersion), std::move(facts.originalName)};
}
