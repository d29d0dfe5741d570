#include <gtest/gtest.h>

#include "app/IconPlacement.h"

TEST(MinimizedIcon, IsCentredAndRoundedTowardZero)
{
    EXPECT_EQ(CenteredIconOffset(36, 32), 2);
    EXPECT_EQ(CenteredIconOffset(32, 32), 0);
    EXPECT_EQ(CenteredIconOffset(160, 32), 64);
    // Narrower than the icon: a negative offset, rounded toward zero.
    EXPECT_EQ(CenteredIconOffset(0, 32), -15);
    EXPECT_EQ(CenteredIconOffset(29, 32), -1);
}
