#include "support/FakeVersionSource.h"

#include <cstring>

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

std::uint32_t FakeVersionSource::BlockSize(const std::string&)
{
    std::uint32_t size = slack;
    for (const auto& [key, value] : values)
        size += static_cast<std::uint32_t>(value.bytes.size());
    return size;
}

bool FakeVersionSource::ReadBlock(const std::string&, std::vector<unsigned char>& block)
{
    readSize = block.size();
    if (readFails)
        return false;
    std::size_t offset = 0;
    for (const auto& [key, value] : values) {
        std::memcpy(block.data() + offset, value.bytes.data(), value.bytes.size());
        m_offsets[key] = offset;
        offset += value.bytes.size();
    }
    return true;
}

bool FakeVersionSource::QueryValue(std::vector<unsigned char>& block, const std::string& subBlock,
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
