// Measures how long the list takes to leave the program: Vorlane.exe /save
// for 30001 rows from a service that answers at once, and "Copy all rows"
// on the filled list. Prints figures only.
//
//   export_bench [rows]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/ScriptCommands.h"
#include "app/VorlaneDlg.h"
#include "bench/BenchSupport.h"
#include "res/resource.h"

namespace {

constexpr int kRounds = 5;

// The dialog, filled; copies every row once the fill is over.
class CopyBenchDialog : public CVorlaneDlg {
public:
    using CVorlaneDlg::CVorlaneDlg;
    double best = 1e9;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CVorlaneDlg::OnInitDialog();
        ::SetTimer(m_hWnd, kWatch, 20, nullptr);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kWatch && !IsFilling()) {
            ::KillTimer(m_hWnd, kWatch);
            for (int round = 0; round < kRounds; ++round) {
                const double start = Now();
                SendMessage(WM_COMMAND, ID_LIST_COPY_ALL);
                best = std::min(best, Now() - start);
            }
            PostMessage(WM_COMMAND, IDCANCEL);
        }
        return CVorlaneDlg::WindowProc(message, wParam, lParam);
    }

private:
    static constexpr UINT_PTR kWatch = 99;
};

}  // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 30001;
    InitBenchControls();
    BenchServices platform;
    InstantProtection protection(static_cast<unsigned>(rows));
    PlatformServices services = platform.With(protection);

    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string file = std::string(folder) + "vorlane-export-bench.csv";
    double save = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        std::string error;
        const double start = Now();
        const int exitCode = RunSaveCommand(services, file, error);
        save = std::min(save, Now() - start);
        if (exitCode)
            std::printf("the save failed: %s", error.c_str());
    }
    ::DeleteFileA(file.c_str());
    std::printf("/save of %d rows, enumeration included (best of %d): %.1f ms\n", rows, kRounds, save * 1000);

    CopyBenchDialog dialog(services);
    dialog.DoModal();
    std::printf("copy all rows on %d rows, until on the clipboard (best of %d): %.1f ms\n", rows, kRounds,
                dialog.best * 1000);
    return 0;
}
