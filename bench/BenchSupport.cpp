#include "bench/BenchSupport.h"

#include <algorithm>
#include <cstdio>

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

double Median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    const auto middle = samples.begin() + static_cast<long>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    return *middle;
}

std::string Milliseconds(const std::vector<double>& seconds)
{
    const auto [least, most] = std::minmax_element(seconds.begin(), seconds.end());
    char text[64];
    std::snprintf(text, sizeof text, "%.1f ms (%.1f-%.1f)", Median(seconds) * 1000, *least * 1000, *most * 1000);
    return text;
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

FilledDialog::FilledDialog(PlatformServices& services, Step whenFilled, Step whenShown)
    : CVorlaneDlg(services), m_whenFilled(std::move(whenFilled)), m_whenShown(std::move(whenShown))
{
}

BOOL FilledDialog::OnInitDialog()
{
    const BOOL result = CVorlaneDlg::OnInitDialog();
    // Timer messages come only once nothing else waits: the dialog has
    // shown itself by the first one.
    ::SetTimer(m_hWnd, kWatch, 20, nullptr);
    return result;
}

LRESULT FilledDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_TIMER || wParam != kWatch)
        return CVorlaneDlg::WindowProc(message, wParam, lParam);
    ::UpdateWindow(m_hWnd);
    if (m_whenShown) {
        m_whenShown(*this);
        m_whenShown = nullptr;
    }
    if (!IsFilling()) {
        ::KillTimer(m_hWnd, kWatch);
        m_whenFilled(*this);
        EndDialog(IDCANCEL);
    }
    return 0;
}
