#include <gtest/gtest.h>

#include "export/ProgressLine.h"

TEST(ProgressLine, SaysHowFarHowFastAndHowLongIsLeft)
{
    const struct {
        std::size_t done, total;
        double seconds;
        const char* line;
    } cases[] = {
        {0, 200000, 3, "Verifying: 0 of 200000 files"},
        {10, 200000, 0, "Verifying: 10 of 200000 files"},
        {150, 1050, 1, "Verifying: 150 of 1050 files, 150 a second, about 6 s left"},
        {1200, 200000, 8, "Verifying: 1200 of 200000 files, 150 a second, about 22 min left"},
        {100, 100000, 4, "Verifying: 100 of 100000 files, 25 a second, about 1 h 7 min left"},
        {499, 500, 20, "Verifying: 499 of 500 files, 25 a second, under a second left"},
        {500, 500, 20, "Verifying: 500 of 500 files, 25 a second"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VerifyingLine(c.done, c.total, c.seconds), c.line) << c.done << " of " << c.total;
    EXPECT_EQ(ListingLine(12000, 6), "Listing protected files: 12000 found, 2000 a second");
    EXPECT_EQ(ListingLine(0, 1), "Listing protected files: 0 found");
}
