#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/Afx.h"

namespace {

// Ends the run as failed on a fault in a test. Left to Wine, a process that
// faults while started from a background job may end with exit code 0.
LONG WINAPI FailTheRun(EXCEPTION_POINTERS* pException)
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::fprintf(stderr, "Exception 0x%08lx at %p in %s.%s\n", pException->ExceptionRecord->ExceptionCode,
                 pException->ExceptionRecord->ExceptionAddress, test ? test->test_suite_name() : "-",
                 test ? test->name() : "-");
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Under qemu's user-mode emulation (tools/test-i686.sh) Wine finds no version
// block in a library that UpdateResource made at run time, and a failure's
// report, which gtest also hands to OutputDebugString, ends the emulated
// process. The test of crafted libraries runs wherever 32-bit programs run.
void LeaveOutWhatEmulationCannotRun()
{
    if (!::GetEnvironmentVariableA("VORLANE_EMULATED", nullptr, 0))
        return;
    std::string& filter = testing::GTEST_FLAG(filter);
    filter += filter.find('-') == std::string::npos ? "-" : ":";
    filter += "VersionLibrary.ACrafted*";
}

}  // namespace

int main(int argc, char** argv)
{
    ::SetUnhandledExceptionFilter(FailTheRun);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    LeaveOutWhatEmulationCannotRun();
    return RUN_ALL_TESTS();
}
