#include <gtest/gtest.h>

#include "scan/ListRow.h"

TEST(RowNumber, HasAtLeastTwoDigits)
{
    EXPECT_EQ(FormatRowNumber(1), "01");
    EXPECT_EQ(FormatRowNumber(9), "09");
    EXPECT_EQ(FormatRowNumber(10), "10");
    EXPECT_EQ(FormatRowNumber(99), "99");
    EXPECT_EQ(FormatRowNumber(100), "100");
    EXPECT_EQ(FormatRowNumber(30001), "30001");
    EXPECT_EQ(FormatRowNumber(4294967295u), "4294967295");
}
