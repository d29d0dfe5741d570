#pragma once
// The line a console shows of a long command while it runs.
#include <cstddef>
#include <string>

// "Listing protected files: 12000 found, 2000 a second" after `seconds`.
std::string ListingLine(std::size_t found, double seconds);

// "Verifying: 1200 of 200000 files, 150 a second, about 22 min left" after
// `seconds`; without the rate and the time left until a file is done.
std::string VerifyingLine(std::size_t done, std::size_t total, double seconds);
