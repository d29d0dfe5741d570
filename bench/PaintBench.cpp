// Times the self-painted controls on screen: the link's repaint on hover and
// leave (through an off-screen bitmap made for every paint) and the logo's
// three passes. Prints figures only.
//
//   paint_bench [paints]
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/VorlaneDlg.h"
#include "controls/AboutDlg.h"
#include "bench/BenchSupport.h"
#include "res/resource.h"

namespace {

constexpr UINT WM_MEASURE = WM_APP + 10;

// Seconds per paint of `hWnd`, each paint asked for by `invalidate`.
double TimePaints(HWND hWnd, int paints, const std::function<void(int)>& invalidate)
{
    const double start = Now();
    for (int paint = 0; paint < paints; ++paint) {
        invalidate(paint);
        ::UpdateWindow(hWnd);
    }
    return (Now() - start) / paints;
}

class LinkBench : public CAboutDlg {
public:
    LinkBench(Shell& shell, int paints) : CAboutDlg(shell), m_paints(paints) {}
    double perPaint = 0;

protected:
    BOOL OnInitDialog() override
    {
        CAboutDlg::OnInitDialog();
        PostMessage(WM_MEASURE);
        return TRUE;
    }
    LRESULT OnMeasure(WPARAM, LPARAM)
    {
        const HWND hLink = GetDlgItem(IDC_HOME_LINK);
        perPaint = TimePaints(hLink, m_paints, [hLink](int paint) {
            ::SendMessageA(hLink, paint % 2 ? WM_MOUSELEAVE : WM_MOUSEHOVER, 0, 0);
        });
        EndDialog(IDOK);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    int m_paints;
};

BEGIN_MESSAGE_MAP(LinkBench, CAboutDlg)
    ON_MESSAGE(WM_MEASURE, OnMeasure)
END_MESSAGE_MAP()

class LogoBench : public CVorlaneDlg {
public:
    LogoBench(PlatformServices& services, int paints) : CVorlaneDlg(services), m_paints(paints) {}
    double perPaint = 0;

protected:
    BOOL OnInitDialog() override
    {
        CVorlaneDlg::OnInitDialog();
        PostMessage(WM_MEASURE);
        return TRUE;
    }
    LRESULT OnMeasure(WPARAM, LPARAM)
    {
        const HWND hLogo = GetDlgItem(IDC_LOGO);
        perPaint = TimePaints(hLogo, m_paints, [hLogo](int) { ::RedrawWindow(hLogo, nullptr, nullptr, RDW_INVALIDATE); });
        EndDialog(IDCANCEL);
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    int m_paints;
};

BEGIN_MESSAGE_MAP(LogoBench, CVorlaneDlg)
    ON_MESSAGE(WM_MEASURE, OnMeasure)
END_MESSAGE_MAP()

}  // namespace

int main(int argc, char** argv)
{
    const int paints = argc > 1 ? std::atoi(argv[1]) : 2000;
    InitBenchControls();

    // Nothing here clicks: the real shell is never asked.
    ShellExecuteShell shell;
    LinkBench link(shell, paints);
    link.DoModal();
    std::printf("link: %.3f ms a repaint on hover or leave (%d repaints)\n", link.perPaint * 1000, paints);

    BenchServices platform;
    InstantProtection none(0);
    PlatformServices services = platform.With(none);
    LogoBench logo(services, paints);
    logo.DoModal();
    std::printf("logo: %.3f ms a repaint (%d repaints)\n", logo.perPaint * 1000, paints);
    return 0;
}
