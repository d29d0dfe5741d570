#include "platform/PathText.h"

#include "platform/LeadBytes.h"

std::size_t FileNameStart(std::string_view path, const LeadBytes& lead)
{
    if (!lead.Any()) {
        const auto slash = path.rfind('\\');
        return slash == std::string_view::npos ? 0 : slash + 1;
    }
    // A byte's meaning depends on the characters before it: read from the start.
    std::size_t start = 0;
    for (std::size_t at = 0; at < path.size(); at = lead.Next(path, at)) {
        if (path[at] == '\\')
            start = at + 1;
    }
    return start;
}

std::string_view FileNameOf(std::string_view path, const LeadBytes& lead)
{
    return path.substr(FileNameStart(path, lead));
}

std::string JoinPath(std::string_view directory, std::string_view name, const LeadBytes& lead)
{
    std::string path;
    path.reserve(directory.size() + 1 + name.size());
    path.append(directory);
    if (directory.empty() || FileNameStart(directory, lead) != directory.size())
        path.push_back('\\');
    path.append(name);
    return path;
}
