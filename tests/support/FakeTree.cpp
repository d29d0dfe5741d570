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

unsigned FakeTree::ForEachEntry(const std::string& directory, const Visitor& visit)
{
    const auto found = m_directories.find(directory);
    if (found == m_directories.end())
        return 3;  // ERROR_PATH_NOT_FOUND
    const auto failing = m_failing.find(directory);
    if (failing != m_failing.end() && failing->second.after == 0)
        return failing->second.error;
    opened.push_back(directory);
    std::size_t listed = 0;
    for (const DirectoryEntry& entry : found->second) {
        if (failing != m_failing.end() && listed++ == failing->second.after)
            return failing->second.error;
        if (!visit(entry))
            break;
    }
    return 0;
}
