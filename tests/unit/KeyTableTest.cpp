#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/KeyTable.h"

TEST(KeyTable, FindsEveryKeyAtItsPlaceHoweverMuchItGrew)
{
    constexpr std::size_t kKeys = 3000;
    const char* const kAbsent[] = {"", "C:\\WINDOWS\\WINSXS\\", "C:\\WINDOWS\\WINSXS\\0.DL",
                                   "c:\\windows\\winsxs\\0.dll"};
    std::vector<std::string> keys;
    for (std::size_t n = 0; n < kKeys; ++n)
        keys.push_back("C:\\WINDOWS\\WINSXS\\" + std::to_string(n * 7919 % 100003) + ".DLL");
    for (const std::size_t expected : {std::size_t{0}, std::size_t{1}, kKeys}) {
        KeyTable table(expected);
        for (std::size_t at = 0; at < kKeys; ++at)
            ASSERT_EQ(table.Add(keys[at], at), KeyTable::kNone) << expected << " " << at;
        for (std::size_t at = 0; at < kKeys; ++at) {
            EXPECT_EQ(table.Find(keys[at]), at) << expected;
            EXPECT_EQ(table.Add(keys[at], kKeys + at), at) << expected;
        }
        for (const char* absent : kAbsent)
            EXPECT_EQ(table.Find(absent), KeyTable::kNone) << expected << " " << absent;
    }
}
