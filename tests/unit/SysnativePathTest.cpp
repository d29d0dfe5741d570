#include <gtest/gtest.h>

#include "platform/CaseFolding.h"
#include "platform/SysnativePath.h"
#include "support/CodePages.h"

TEST(SysnativePath, ReadsFilesInSystem32ThroughSysnativeAndLeavesOthersAlone)
{
    struct Case {
        const char* path;
        const char* windows;
        const char* readable;
    };
    const Case cases[] = {
        {"C:\\Windows\\System32\\kernel32.dll", "C:\\Windows", "C:\\Windows\\Sysnative\\kernel32.dll"},
        // Any letter case; the rest of the path keeps its own.
        {"c:\\WINDOWS\\system32\\Drivers\\X.sys", "C:\\Windows", "C:\\Windows\\Sysnative\\Drivers\\X.sys"},
        {"C:\\Windows\\SysWOW64\\kernel32.dll", "C:\\Windows", "C:\\Windows\\SysWOW64\\kernel32.dll"},
        {"C:\\Windows\\System32", "C:\\Windows", "C:\\Windows\\System32"},
        {"C:\\Windows\\System32x\\a.dll", "C:\\Windows", "C:\\Windows\\System32x\\a.dll"},
        {"D:\\Windows\\System32\\a.dll", "C:\\Windows", "D:\\Windows\\System32\\a.dll"},
        {"C:/Windows/System32/a.dll", "C:\\Windows", "C:/Windows/System32/a.dll"},
        {"System32\\a.dll", "", "System32\\a.dll"},
        // A Windows folder whose name ends in 表 (95 5C).
        {"C:\\\x95\x5C\\System32\\a.dll", "C:\\\x95\x5C", "C:\\\x95\x5C\\Sysnative\\a.dll"},
    };
    const CaseFolding folding = CaseFolding::Ascii(ShiftJisLeadBytes());
    for (const Case& c : cases)
        EXPECT_EQ(SysnativePath(c.path, c.windows, folding), c.readable) << c.path;
}
