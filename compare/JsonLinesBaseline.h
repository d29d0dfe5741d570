#pragma once
// A baseline that /verify /json wrote: one JSON object a file, then one that
// sums the whole up.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "compare/BaselineReader.h"

// Whether `bytes` are JSON Lines rather than CSV: past a byte order mark
// and blanks, they open an object.
bool IsJsonLines(std::string_view bytes);

// Reads each line's object into `baseline`'s files, by the JSON names of
// /verify's columns (others ignored), and its line into `lines`. Blank
// lines and the summary ("summary": true) are no file. Every object has a
// text path, not empty, and a text sha256; the other names, where there,
// are texts too, without a NUL. Why the bytes will not do, or nothing.
std::string ReadJsonLinesFiles(std::string_view bytes, Baseline& baseline, std::vector<std::size_t>& lines);
