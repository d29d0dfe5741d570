#include "support/FakeTree.h"

void FakeTree::AddEntry(const std::string& path, DirectoryEntry entry)
{
    const auto slash = path.rfind('\\');
    if (slash == std::string::npos)
        return;
    const std::string parent = path.substr(0, slash);
    // std::map keeps this reference valid while the parent's own entry is added.
    auto& entries = m_directories[parent];
    if (entries.empty()) {
        entries = {{".", true, false}, {"..", true, false}};
        AddEntry(parent, {std::string(FileNameOf(parent, LeadBytes{})), true, false});
    }
    if (m_known.insert(path).second)
        entries.push_back(std::move(entry));
}

bool FakeTree::ForEachEntry(const std::string& directory, const Visitor& visit)
{
    const auto found = m_directories.find(directory);
    if (found == m_directories.end() || m_locked.count(directory))
        return false;
    opened.push_back(directory);
    for (const DirectoryEntry& entry : found->second) {
        if (!visit(entry))
            break;
    }
    return true;
}
