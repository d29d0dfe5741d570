#include "platform/SysnativePath.h"

#include "platform/CaseFolding.h"
#include "platform/PathText.h"

std::string SysnativePath(const std::string& path, const std::string& windowsDirectory, const CaseFolding& folding)
{
    std::string system32 = JoinPath(windowsDirectory, "system32\\", folding.Lead());
    std::string start = path.substr(0, system32.size());
    folding.Fold(system32);
    folding.Fold(start);
    if (windowsDirectory.empty() || start != system32)
        return path;
    return JoinPath(windowsDirectory, "Sysnative\\", folding.Lead()) + path.substr(system32.size());
}
