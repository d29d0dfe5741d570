#include "support/VersionBlockBytes.h"

namespace {

void PutWord(std::string& bytes, std::size_t at, std::size_t word)
{
    bytes[at] = static_cast<char>(word & 0xFF);
    bytes[at + 1] = static_cast<char>(word >> 8 & 0xFF);
}

void PadTo4(std::string& bytes)
{
    bytes.resize((bytes.size() + 3) & ~std::size_t{3}, '\0');
}

std::string Characters(const std::string& text, BlockForm form)
{
    std::string bytes;
    for (const char c : text + '\0') {
        bytes += c;
        if (form == BlockForm::Unicode)
            bytes += '\0';
    }
    return bytes;
}

}  // namespace

std::string VersionBlockBytes(const VersionNode& node, BlockForm form)
{
    const bool unicode = form == BlockForm::Unicode;
    std::string bytes(unicode ? 6 : 4, '\0');
    if (unicode)
        PutWord(bytes, 4, node.text ? 1 : 0);
    bytes += Characters(node.key, form);
    PadTo4(bytes);
    const std::string value = node.text ? Characters(node.value, form) : node.value;
    bytes += value;
    for (const VersionNode& child : node.children) {
        PadTo4(bytes);
        bytes += VersionBlockBytes(child, form);
    }
    PutWord(bytes, 0, node.length.value_or(bytes.size()));
    PutWord(bytes, 2, node.valueLength.value_or(node.text && unicode ? value.size() / 2 : value.size()));
    return bytes;
}

std::string FixedFileInfo(unsigned a, unsigned b, unsigned c, unsigned d)
{
    std::string fixed(52, '\0');
    fixed.replace(0, 8, "\xBD\x04\xEF\xFE\x00\x00\x01\x00", 8);
    PutWord(fixed, 8, b);   // dwFileVersionMS, low word
    PutWord(fixed, 10, a);  // dwFileVersionMS, high word
    PutWord(fixed, 12, d);
    PutWord(fixed, 14, c);
    return fixed;
}

VersionNode SampleVersionTree()
{
    return {"VS_VERSION_INFO",
            FixedFileInfo(6, 1, 760, 17),
            false,
            {{"StringFileInfo",
              "",
              false,
              {{"040904b0",
                "",
                false,
                {{"FileDescription", "Kernel", true},
                 {"ProductName", "Windows", true},
                 {"LegalCopyright", "(c) Halvory", true}}}}},
             {"VarFileInfo", "", false, {{"Translation", std::string("\x09\x04\xb0\x04", 4)}}}}};
}
