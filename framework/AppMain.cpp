// The program's entry point, and its end on an exception that nothing caught.
#include <cstdlib>

#include "framework/DllLoader.h"
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(DllLoader::System());
}

// What std::terminate calls: an abort, as the standard's default handler
// does. libstdc++'s own handler first names the exception on the standard
// error, through the C++ demangler and the printf that it uses: with the
// static runtime, some 45 KB in every program, for a line that a windowed
// program seldom has anywhere to write. Defined here, the library's handler
// is not linked.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx
