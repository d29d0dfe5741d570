#include <gtest/gtest.h>

#include "scan/Enumeration.h"
#include "support/StandIns.h"

TEST(ServiceEnumeration, ListsEveryFileInTheServicesOrder)
{
    StandInProtection protection;
    for (int i = 0; i < 30500; ++i)
        protection.listed.push_back("C:\\WINDOWS\\system32\\file" + std::to_string(i) + ".dll");
    CollectingSink sink;

    EnumerateProtectedFiles(protection, sink);

    // No row limit on this strategy: beyond 30001 too.
    ASSERT_EQ(sink.rows.size(), 30500u);
    EXPECT_EQ(sink.rows[0].number, "01");
    EXPECT_EQ(sink.rows[0].path, "C:\\WINDOWS\\system32\\file0.dll");
    EXPECT_EQ(sink.rows[9].number, "10");
    EXPECT_EQ(sink.rows[30499].number, "30500");
    EXPECT_EQ(sink.rows[30499].path, protection.listed.back());
}

TEST(ServiceEnumeration, AnEmptyServiceGivesNoRows)
{
    StandInProtection protection;
    CollectingSink sink;
    EnumerateProtectedFiles(protection, sink);
    EXPECT_TRUE(sink.rows.empty());
    EXPECT_EQ(protection.nextCalls, 1);
}

TEST(ServiceEnumeration, StopsAsSoonAsTheOwnerAsks)
{
    StandInProtection protection;
    protection.listed.assign(100, "C:\\x.dll");
    CollectingSink sink(5);
    EnumerateProtectedFiles(protection, sink);
    EXPECT_EQ(sink.rows.size(), 5u);
    EXPECT_EQ(protection.nextCalls, 5);
}
