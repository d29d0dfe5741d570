#include <gtest/gtest.h>

#include "platform/PathText.h"
#include "support/CodePages.h"

namespace {

const LeadBytes kSingleByte;
const LeadBytes kShiftJis = ShiftJisLeadBytes();

}  // namespace

TEST(FileNameOf, IsTheTextAfterTheLastBackslashCharacter)
{
    struct Case {
        const char* path;
        const LeadBytes& lead;
        const char* name;
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\system32\\kernel32.dll", kSingleByte, "kernel32.dll"},
        {"kernel32.dll", kSingleByte, "kernel32.dll"},
        {"C:\\WINDOWS\\", kSingleByte, ""},
        {"", kSingleByte, ""},
        {"\\", kSingleByte, ""},
        // Only the backslash separates.
        {"C:/WINDOWS/notepad.exe", kSingleByte, "C:/WINDOWS/notepad.exe"},
        {"C:\\a/b\\.hidden", kSingleByte, ".hidden"},
        // The second byte of a double-byte character is no backslash.
        {"C:\\dir\\\x95\x5C.dll", kShiftJis, "\x95\x5C.dll"},
        {"C:\\\x95\x5C", kShiftJis, "\x95\x5C"},
        {"\x95\x5C\x95\x5C", kShiftJis, "\x95\x5C\x95\x5C"},
        {"C:\\\x95\x5C\\", kShiftJis, ""},
        {"C:\\dir\\\x95\x5C.dll", kSingleByte, ".dll"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileNameOf(c.path, c.lead), c.name) << c.path;
}

TEST(JoinPath, NeverDoublesTheSeparatorNorTakesASecondByteForOne)
{
    struct Case {
        const char* directory;
        const char* name;
        const LeadBytes& lead;
        const char* path;
    };
    const Case cases[] = {
        {"C:\\WINDOWS", "system32", kSingleByte, "C:\\WINDOWS\\system32"},
        {"C:\\", "WINDOWS", kSingleByte, "C:\\WINDOWS"},
        {"C:\\WINDOWS", "*.*", kSingleByte, "C:\\WINDOWS\\*.*"},
        // An empty directory gives the pattern of the current drive's root,
        // as a failed Windows-directory query always did.
        {"", "*.*", kSingleByte, "\\*.*"},
        {"C:\\\x95\x5C", "x.dll", kShiftJis, "C:\\\x95\x5C\\x.dll"},
        {"C:\\\x95\x5C\\", "x.dll", kShiftJis, "C:\\\x95\x5C\\x.dll"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinPath(c.directory, c.name, c.lead), c.path) << c.directory;
}
