#include "inspect/VersionDllSource.h"

#include <windows.h>

std::uint32_t VersionDllSource::BlockSize(const std::string& path)
{
    DWORD handle = 0;
    return ::GetFileVersionInfoSizeA(path.c_str(), &handle);
}

bool VersionDllSource::ReadBlock(const std::string& path, std::vector<unsigned char>& block)
{
    return ::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) != 0;
}

bool VersionDllSource::QueryValue(std::vector<unsigned char>& block, const std::string& subBlock, const void*& value,
                                  std::uint32_t& length)
{
    LPVOID found = nullptr;
    UINT foundLength = 0;
    if (!::VerQueryValueA(block.data(), subBlock.c_str(), &found, &foundLength))
        return false;
    value = found;
    length = foundLength;
    return true;
}
