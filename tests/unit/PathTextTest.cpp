#include <gtest/gtest.h>

#include "scan/PathText.h"

TEST(FileNameOf, IsTheTextAfterTheLastBackslash)
{
    EXPECT_EQ(FileNameOf("C:\\WINDOWS\\system32\\kernel32.dll"), "kernel32.dll");
    EXPECT_EQ(FileNameOf("kernel32.dll"), "kernel32.dll");
    EXPECT_EQ(FileNameOf("C:\\WINDOWS\\"), "");
    EXPECT_EQ(FileNameOf(""), "");
    EXPECT_EQ(FileNameOf("\\"), "");
    // Only the backslash separates.
    EXPECT_EQ(FileNameOf("C:/WINDOWS/notepad.exe"), "C:/WINDOWS/notepad.exe");
    EXPECT_EQ(FileNameOf("C:\\a/b\\.hidden"), ".hidden");
}

TEST(JoinPath, NeverDoublesTheSeparator)
{
    EXPECT_EQ(JoinPath("C:\\WINDOWS", "system32"), "C:\\WINDOWS\\system32");
    EXPECT_EQ(JoinPath("C:\\", "WINDOWS"), "C:\\WINDOWS");
    EXPECT_EQ(JoinPath("C:\\WINDOWS", "*.*"), "C:\\WINDOWS\\*.*");
    // An empty directory gives the pattern of the current drive's root, as a
    // failed Windows-directory query always did.
    EXPECT_EQ(JoinPath("", "*.*"), "\\*.*");
}
