#include "bench/BenchSupport.h"

#include <commctrl.h>

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

std::string BenchPath(unsigned n)
{
    return "C:\\WINDOWS\\system32\\dllcache\\protected-file-" + std::to_string(n) + ".dll";
}

bool InstantProtection::NextProtectedFile(std::uint32_t& cursor, std::string& path)
{
    if (cursor >= m_count)
        return false;
    path = BenchPath(++cursor);
    return true;
}

void InitBenchControls()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}
