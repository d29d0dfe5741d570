#include "export/ProgressLine.h"

#include <cmath>

namespace {

// Whole files a second; none before any time has passed.
std::string Rate(std::size_t files, double seconds)
{
    if (files == 0 || seconds <= 0)
        return {};
    return ", " + std::to_string(std::llround(static_cast<double>(files) / seconds)) + " a second";
}

// "under a second", "about 40 s", "about 22 min", "about 1 h 5 min".
std::string About(double seconds)
{
    const long long whole = std::llround(seconds);
    if (whole < 1)
        return "under a second";
    if (whole < 60)
        return "about " + std::to_string(whole) + " s";
    const long long minutes = (whole + 30) / 60;
    if (minutes < 60)
        return "about " + std::to_string(minutes) + " min";
    return "about " + std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
}

}  // namespace

std::string ListingLine(std::size_t found, double seconds)
{
    return "Listing protected files: " + std::to_string(found) + " found" + Rate(found, seconds);
}

std::string VerifyingLine(std::size_t done, std::size_t total, double seconds)
{
    std::string line = "Verifying: " + std::to_string(done) + " of " + std::to_string(total) + " files";
    if (done == 0 || seconds <= 0)
        return line;
    line += Rate(done, seconds);
    if (done < total)
        line += ", " + About(seconds / static_cast<double>(done) * static_cast<double>(total - done)) + " left";
    return line;
}
