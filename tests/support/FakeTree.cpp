#include "support/FakeTree.h"

#include "scan/PathText.h"

namespace {

std::string ParentOf(const std::string& path)
{
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

void FakeTree::AddEntry(const std::string& path, DirectoryEntry entry)
{
    const std::string parent = ParentOf(path);
    if (parent.empty())
        return;
    auto& entries = m_directories[parent];
    if (entries.empty()) {
        entries.push_back({".", true, false});
        entries.push_back({"..", true, false});
        AddDirectory(parent);
    }
    if (m_known.insert(path).second)
        entries.push_back(std::move(entry));
}

void FakeTree::AddFile(const std::string& path)
{
    AddEntry(path, {std::string(FileNameOf(path)), false, false});
}

void FakeTree::AddDirectory(const std::string& path)
{
    auto& entries = m_directories[path];
    if (entries.empty()) {
        entries.push_back({".", true, false});
        entries.push_back({"..", true, false});
    }
    AddEntry(path, {std::string(FileNameOf(path)), true, false});
}

void FakeTree::AddLink(const std::string& path)
{
    AddEntry(path, {std::string(FileNameOf(path)), true, true});
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
