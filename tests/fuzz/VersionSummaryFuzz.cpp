// Any bytes as a file's version resource, read by the model of the version
// library: a block the check lets through must never lead the library, or
// the summary, outside the block.
#include <cstddef>
#include <cstdint>
#include <string>

#include "inspect/VersionSummary.h"
#include "support/VersionLibraryModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    VersionLibraryModel library(std::string(reinterpret_cast<const char*>(data), size));
    FormatVersionSummary(library, "fuzzed.dll");
    return 0;
}
