#pragma once
#include <span>
#include <string>

// `bytes` as upper-case hexadecimal digits, two per byte: the form of a
// catalog's member tags, and of the SHA-256 sums the program writes.
std::string UpperHex(std::span<const unsigned char> bytes);
