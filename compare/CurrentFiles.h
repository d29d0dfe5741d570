#pragma once
#include <functional>
#include <string>
#include <vector>

#include "compare/Comparison.h"
#include "verify/VerificationReport.h"

// The verified files as a comparison takes them, in the same order: their
// texts in UTF-8, as `utf8` gives them.
std::vector<CurrentFile> CurrentFiles(const std::vector<VerifiedFile>& files,
                                      const std::function<std::string(const std::string&)>& utf8);
