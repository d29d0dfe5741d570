#pragma once
// Version blocks written byte by byte, in either form a file may hold them,
// for tests to damage and read.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// ANSI: 8-bit keys and texts, as 16-bit files hold them. Unicode: 16-bit
// keys and texts, and each node's type.
enum class BlockForm { Ansi, Unicode };

struct VersionNode {
    std::string key;
    // Bytes, or with `text` an ASCII text written with its terminator.
    std::string value{};
    bool text = false;
    std::vector<VersionNode> children{};
    // Written in place of the node's length or its value's length.
    std::optional<std::uint16_t> length{};
    std::optional<std::uint16_t> valueLength{};
};

std::string VersionBlockBytes(const VersionNode& root, BlockForm form);

// The fixed info of file version a.b.c.d.
std::string FixedFileInfo(unsigned a, unsigned b, unsigned c, unsigned d);

// File version 6.1.760.17; "Kernel", "Windows" and "(c) Halvory" as
// description, product name and copyright under the translation 0409/04b0,
// which follows them as resource compilers write it.
VersionNode SampleVersionTree();
constexpr const char* kSampleSummary = "v. 6.1.760.17, Kernel, Windows\r\n(c) Halvory";
