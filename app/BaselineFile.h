#pragma once
#include <string>

#include "compare/BaselineReader.h"

// Reads the baseline in `file`, its paths keyed as Windows matches names.
// False, with `failure` saying why in whole sentences, when the file cannot
// be read or is no baseline.
bool LoadBaseline(const std::wstring& file, Baseline& baseline, std::wstring& failure);
