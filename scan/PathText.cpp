#include "scan/PathText.h"

std::string_view FileNameOf(std::string_view path)
{
    const auto slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string JoinPath(std::string_view directory, std::string_view name)
{
    std::string path;
    path.reserve(directory.size() + 1 + name.size());
    path.append(directory);
    if (path.empty() || path.back() != '\\')
        path.push_back('\\');
    path.append(name);
    return path;
}
