// The program's entry point, and its end on an exception that nothing caught.
#include <cstdlib>

#include "framework/DllLoader.h"
#include "framework/WinApp.h"

namespace {

// Vorlane itself failed.
constexpr int kFailedExitCode = 255;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(DllLoader::System());
}

// What std::terminate calls: the end of the process, with an exit code that
// no result of the command line uses (the runtime's abort ends with 3, which
// means a list cut short). libstdc++'s own handler first names the exception
// on the standard error, through the C++ demangler and the printf that it
// uses: with the static runtime, some 45 KB in every program, for a line
// that a windowed program seldom has anywhere to write. Defined here, the
// library's handler is not linked.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::_Exit(kFailedExitCode);
}
}  // namespace __gnu_cxx
