#include "inspect/VersionSummary.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "inspect/VersionBlock.h"
#include "inspect/VersionSource.h"

namespace {

// The file version's four words lie after the fixed info's signature and
// structure version.
constexpr std::size_t kFileVersionOffset = 8;
constexpr std::size_t kFileVersionBytes = 8;
constexpr std::size_t kTranslationBytes = 4;

// The bytes from `value` to the end of the block. A value the reader reports
// outside the block reads as no bytes at all.
std::string_view BytesFrom(std::span<const unsigned char> block, const void* value)
{
    const auto* begin = reinterpret_cast<const char*>(block.data());
    const auto* at = static_cast<const char*>(value);
    const std::less<const char*> before;
    if (!at || before(at, begin) || !before(at, begin + block.size()))
        return {};
    return {at, static_cast<std::size_t>(begin + block.size() - at)};
}

unsigned Word(std::string_view bytes, std::size_t offset)
{
    return static_cast<unsigned char>(bytes[offset]) | static_cast<unsigned char>(bytes[offset + 1]) << 8;
}

// A value of at least `size` bytes, both as reported and as present in the block.
std::optional<std::string_view> FixedValue(VersionSource& source, std::span<unsigned char> block,
                                           const std::string& subBlock, std::size_t size)
{
    const void* value = nullptr;
    std::uint32_t length = 0;
    if (!source.QueryValue(block, subBlock, value, length) || length < size)
        return std::nullopt;
    const std::string_view bytes = BytesFrom(block, value);
    if (bytes.size() < size)
        return std::nullopt;
    return bytes;
}

// A string value's text, up to its terminating zero or the end of the
// block; none when the lookup fails or reports no length.
std::optional<std::string_view> StringValue(VersionSource& source, std::span<unsigned char> block,
                                            const std::string& subBlock)
{
    const void* value = nullptr;
    std::uint32_t length = 0;
    if (!source.QueryValue(block, subBlock, value, length) || length == 0)
        return std::nullopt;
    const std::string_view bytes = BytesFrom(block, value);
    return bytes.substr(0, bytes.find('\0'));
}

std::string StringKey(unsigned language, unsigned codePage, const char* name)
{
    // The language and the code page as eight hexadecimal digits: "040904b0".
    char digits[8];
    std::string hex(digits, std::to_chars(digits, digits + sizeof digits, (language << 16) | codePage, 16).ptr);
    hex.insert(0, sizeof digits - hex.size(), '0');
    return "\\StringFileInfo\\" + hex + "\\" + name;
}

// A file's version block, read and found safe to query; its strings
// looked up under its first translation.
class QueriedBlock {
public:
    QueriedBlock(VersionSource& source, const std::string& path, const VersionBlockMemory& memory)
        : m_source(source)
    {
        const std::uint32_t size = source.BlockSize(path);
        if (size == 0)
            return;
        const std::span<unsigned char> block = memory(std::min(size, kMaxVersionBlockBytes));
        const std::size_t bytesRead = source.ReadBlock(path, block);
        if (bytesRead == 0 || !VersionBlockIsSafeToQuery(block, bytesRead))
            return;
        m_block = block;
        if (const auto pair = FixedValue(source, block, "\\VarFileInfo\\Translation", kTranslationBytes))
            m_translation.emplace(Word(*pair, 0), Word(*pair, 2));
    }

    // None when the file has no block that may be queried.
    bool Usable() const { return !m_block.empty(); }

    // The file version's four numbers: "6.1.760.17".
    std::optional<std::string> FileVersion() const
    {
        const auto fixed = FixedValue(m_source, m_block, "\\", kFileVersionOffset + kFileVersionBytes);
        if (!fixed)
            return std::nullopt;
        return std::to_string(Word(*fixed, 10)) + '.' + std::to_string(Word(*fixed, 8)) + '.' +
               std::to_string(Word(*fixed, 14)) + '.' + std::to_string(Word(*fixed, 12));
    }

    // Without a translation there is no key to look a text up by. The text
    // must be copied before the next lookup: the reader may keep converted
    // texts in a scratch area of the block.
    std::optional<std::string_view> Text(const char* name) const
    {
        if (!m_translation)
            return std::nullopt;
        return StringValue(m_source, m_block, StringKey(m_translation->first, m_translation->second, name));
    }

private:
    VersionSource& m_source;
    std::span<unsigned char> m_block;
    std::optional<std::pair<unsigned, unsigned>> m_translation;
};

VersionBlockMemory HeapMemory(std::vector<unsigned char>& heap)
{
    return [&heap](std::size_t size) {
        heap.assign(size, 0);
        return std::span(heap);
    };
}

}  // namespace

std::optional<std::string> FormatVersionSummary(VersionSource& source, const std::string& path)
{
    std::vector<unsigned char> heap;
    return FormatVersionSummary(source, path, HeapMemory(heap));
}

std::optional<std::string> FormatVersionSummary(VersionSource& source, const std::string& path,
                                                const VersionBlockMemory& memory)
{
    const QueriedBlock block(source, path, memory);
    if (!block.Usable())
        return std::nullopt;
    std::string text;
    if (const auto version = block.FileVersion())
        text = "v. " + *version + ", ";
    if (const auto description = block.Text("FileDescription"))
        text += *description;
    if (const auto product = block.Text("ProductName")) {
        // Nothing to separate from when the version part is missing too.
        if (!text.empty() && !text.ends_with(", "))
            text += ", ";
        text += *product;
    }
    text += "\r\n";
    if (const auto copyright = block.Text("LegalCopyright"))
        text += *copyright;
    return text;
}

VersionFacts ReadVersionFacts(VersionSource& source, const std::string& path)
{
    std::vector<unsigned char> heap;
    const QueriedBlock block(source, path, HeapMemory(heap));
    VersionFacts facts;
    if (!block.Usable())
        return facts;
    facts.fileVersion = block.FileVersion().value_or("");
    facts.originalName = block.Text("OriginalFilename").value_or("");
    return facts;
}
