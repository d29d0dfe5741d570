#include "support/FakeVersionSource.h"

#include <algorithm>
#include <cstring>

#include "support/VersionBlockBytes.h"

namespace {

void PutWord(std::string& bytes, std::size_t offset, unsigned word)
{
    bytes[offset] = static_cast<char>(word & 0xFF);
    bytes[offset + 1] = static_cast<char>(word >> 8 & 0xFF);
}

}  // namespace

void FakeVersionSource::SetFileVersion(unsigned a, unsigned b, unsigned c, unsigned d)
{
    std::string fixed(52, '\0');
    PutWord(fixed, 8, b);   // dwFileVersionMS, low word
    PutWord(fixed, 10, a);  // dwFileVersionMS, high word
    PutWord(fixed, 12, d);
    PutWord(fixed, 14, c);
    Set("\\", {fixed, 52});
}

void FakeVersionSource::SetTranslation(unsigned language, unsigned codePage)
{
    std::string pair(4, '\0');
    PutWord(pair, 0, language);
    PutWord(pair, 2, codePage);
    Set("\\VarFileInfo\\Translation", {pair, 4});
}

void FakeVersionSource::SetString(const std::string& name, const std::string& text)
{
    Set("\\StringFileInfo\\040904b0\\" + name, {text + '\0', static_cast<std::uint32_t>(text.size() + 1)});
}

void FakeVersionSource::Set(const std::string& subBlock, Value value)
{
    for (auto& [key, existing] : values) {
        if (key == subBlock) {
            existing = std::move(value);
            return;
        }
    }
    values.emplace_back(subBlock, std::move(value));
}

std::string FakeVersionSource::Block() const
{
    VersionNode root{"VS_VERSION_INFO"};
    for (const auto& [key, value] : values)
        root.value += value.bytes;
    return VersionBlockBytes(root, BlockForm::Ansi);
}

std::uint32_t FakeVersionSource::BlockSize(const std::string&)
{
    return values.empty() ? slack : static_cast<std::uint32_t>(Block().size()) + slack;
}

std::size_t FakeVersionSource::ReadBlock(const std::string&, std::span<unsigned char> block)
{
    readSize = block.size();
    if (readFails)
        return 0;
    const std::string bytes = Block();
    std::size_t offset = bytes.size();
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        offset -= it->second.bytes.size();
        m_offsets[it->first] = offset;
    }
    std::memcpy(block.data(), bytes.data(), std::min(bytes.size(), block.size()));
    return std::min(bytes.size(), block.size());
}

bool FakeVersionSource::QueryValue(std::span<unsigned char> block, const std::string& subBlock,
                                   const void*& value, std::uint32_t& length)
{
    if (const auto away = outside.find(subBlock); away != outside.end()) {
        value = away->second.c_str();
        length = static_cast<std::uint32_t>(away->second.size() + 1);
        return true;
    }
    for (const auto& [key, known] : values) {
        if (key == subBlock) {
            value = block.data() + m_offsets.at(key);
            length = known.reportedLength;
            return true;
        }
    }
    return false;
}
