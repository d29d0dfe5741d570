// Measures how fast the main dialog fills its list and how well it answers
// meanwhile, against the naive fill (one cross-thread message per insert and
// per text, redraw on), and the directory walk against a bare
// FindFirstFile/FindNextFile walk of the same tree. Prints figures only.
//
//   fill_bench [rows] [naive-rows]
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/VorlaneDlg.h"
#include "bench/BenchSupport.h"
#include "res/resource.h"
#include "scan/Enumeration.h"
#include "scan/RowQueue.h"
#include "scan/SystemLeadBytes.h"
#include "scan/WindowsSystemInfo.h"

namespace {

constexpr int kWalkRounds = 41;

struct FillFigures {
    double firstRow = -1;
    double fullList = -1;
    double worstDelay = 0;
};

// Watches a list from another thread: asks it for its row count about every
// millisecond and times each answer, which is how long the dialog's thread
// took to get to a message.
class ListProbe {
public:
    ListProbe(HWND hDialog, HWND hList, int rows, double start)
        : m_hDialog(hDialog), m_hList(hList), m_rows(rows), m_start(start)
    {
        m_hThread = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~ListProbe() { ::CloseHandle(m_hThread); }
    ListProbe(const ListProbe&) = delete;
    ListProbe& operator=(const ListProbe&) = delete;

    FillFigures Finish()
    {
        m_stop = true;
        ::WaitForSingleObject(m_hThread, INFINITE);
        return m_figures;
    }

private:
    static DWORD WINAPI Run(LPVOID self)
    {
        static_cast<ListProbe*>(self)->Watch();
        return 0;
    }
    void Watch()
    {
        while (!m_stop) {
            const double asked = Now();
            DWORD_PTR count = 0;
            if (!::SendMessageTimeoutA(m_hList, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 10000, &count))
                return;
            const double answered = Now();
            m_figures.worstDelay = std::max(m_figures.worstDelay, answered - asked);
            if (count > 0 && m_figures.firstRow < 0)
                m_figures.firstRow = answered - m_start;
            if (static_cast<int>(count) >= m_rows) {
                m_figures.fullList = answered - m_start;
                ::PostMessageA(m_hDialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            ::Sleep(1);
        }
    }

    HWND m_hDialog;
    HWND m_hList;
    int m_rows;
    double m_start;
    HANDLE m_hThread;
    std::atomic<bool> m_stop{false};
    FillFigures m_figures;
};

// The real dialog, timed from the end of its initialisation.
class BenchDialog : public CVorlaneDlg {
public:
    BenchDialog(PlatformServices& services, int rows) : CVorlaneDlg(services), m_rows(rows) {}
    FillFigures figures;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CVorlaneDlg::OnInitDialog();
        m_probe = std::make_unique<ListProbe>(m_hWnd, GetDlgItem(IDC_FILE_LIST), m_rows, Now());
        return result;
    }
    void OnCancel() override
    {
        figures = m_probe->Finish();
        CVorlaneDlg::OnCancel();
    }

private:
    int m_rows;
    std::unique_ptr<ListProbe> m_probe;
};

// The same dialog with an empty service, filled the naive way by a thread of
// its own: each insert and each text a message sent across threads, the list
// redrawn after each.
class NaiveDialog : public CVorlaneDlg {
public:
    NaiveDialog(PlatformServices& services, int rows) : CVorlaneDlg(services), m_rows(rows) {}
    double seconds = 0;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CVorlaneDlg::OnInitDialog();
        m_hThread = ::CreateThread(nullptr, 0, Fill, this, 0, nullptr);
        return result;
    }
    void OnCancel() override
    {
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
        CVorlaneDlg::OnCancel();
    }

private:
    static DWORD WINAPI Fill(LPVOID self)
    {
        auto& dialog = *static_cast<NaiveDialog*>(self);
        const HWND hList = dialog.GetDlgItem(IDC_FILE_LIST);
        const double start = Now();
        for (int row = 0; row < dialog.m_rows; ++row) {
            std::string number = FormatRowNumber(static_cast<unsigned>(row + 1));
            std::string path = BenchPath(static_cast<unsigned>(row + 1));
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = number.data();
            ListView_InsertItem(hList, &item);
            ListView_SetItemText(hList, row, 1, path.data());
        }
        dialog.seconds = Now() - start;
        dialog.PostMessage(WM_COMMAND, IDCANCEL);
        return 0;
    }

    int m_rows;
    HANDLE m_hThread = nullptr;
};

// Lists files for as long as it is asked.
class EndlessProtection final : public FileProtection {
public:
    bool NextProtectedFile(std::uint32_t& cursor, std::string& path) override
    {
        path = BenchPath(++cursor);
        return true;
    }
    bool IsFileProtected(const std::string&) override { return true; }
};

// Closes itself in the middle of a fill once it holds `rows` rows.
class ClosingDialog : public CVorlaneDlg {
public:
    ClosingDialog(PlatformServices& services, int rows) : CVorlaneDlg(services), m_rows(rows) {}
    double closedAt = 0;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CVorlaneDlg::OnInitDialog();
        ::SetTimer(m_hWnd, kWatch, 1, nullptr);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kWatch && ListView_GetItemCount(GetDlgItem(IDC_FILE_LIST)) >= m_rows &&
            closedAt == 0) {
            closedAt = Now();
            PostMessage(WM_COMMAND, IDCANCEL);
        }
        return CVorlaneDlg::WindowProc(message, wParam, lParam);
    }

private:
    static constexpr UINT_PTR kWatch = 99;
    int m_rows;
};

// How long from a close in the middle of a fill to the end of DoModal, the
// worker stopped and waited for.
double MeasureClose(PlatformServices& services, int rows)
{
    ClosingDialog dialog(services, rows);
    dialog.DoModal();
    return Now() - dialog.closedAt;
}

class NeverProtected final : public FileProtection {
public:
    bool NextProtectedFile(std::uint32_t&, std::string&) override { return false; }
    bool IsFileProtected(const std::string&) override
    {
        ++files;
        return false;
    }
    long files = 0;
};

class NoRows final : public RowSink {
public:
    void AddRow(ListRow) override {}
    bool StopRequested() const override { return false; }
};

long BareWalk(const std::string& directory)
{
    long files = 0;
    WIN32_FIND_DATAA entry;
    const HANDLE find = ::FindFirstFileA((directory + "\\*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const std::string_view name = entry.cFileName;
        const std::string path = directory + "\\" + entry.cFileName;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++files;
        else if (name != "." && name != ".." && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            files += BareWalk(path);
    } while (::FindNextFileA(find, &entry));
    ::FindClose(find);
    return files;
}

double Median(std::vector<double> times)
{
    std::nth_element(times.begin(), times.begin() + static_cast<long>(times.size() / 2), times.end());
    return times[times.size() / 2];
}

void MeasureWalk()
{
    const std::string root = WindowsSystemInfo().WindowsDirectory();
    Wow64Redirection redirection(DllLoader::System());
    FindFileDirectorySearch search(redirection);
    // The dialog's own queue: it counts every file for the status line.
    RowQueue counted([] { return true; });
    NoRows uncounted;
    long bareFiles = 0;
    long scannedFiles = 0;
    const auto scan = [&](RowSink& rows) {
        NeverProtected protection;
        const double start = Now();
        ScanWindowsDirectory(root, search, protection, rows, SystemLeadBytes());
        scannedFiles = protection.files;
        return Now() - start;
    };
    std::vector<double> bare;
    std::vector<double> scanner;
    std::vector<double> counting;
    // Rounds in turn, so that the cache and the machine's load treat all alike.
    for (int round = 0; round < kWalkRounds; ++round) {
        const double start = Now();
        bareFiles = BareWalk(root);
        bare.push_back(Now() - start);
        scanner.push_back(scan(uncounted));
        counting.push_back(scan(counted));
    }
    std::printf("walk of %s (median of %d): bare FindFirstFile walk %.1f ms (%ld files), scanner %.1f ms "
                "(%ld files): %.2fx; counting for the status line %.1f ms: %+.1f%%\n",
                root.c_str(), kWalkRounds, Median(bare) * 1000, bareFiles, Median(scanner) * 1000, scannedFiles,
                Median(scanner) / Median(bare), Median(counting) * 1000, (Median(counting) / Median(scanner) - 1) * 100);
}

}  // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 30001;
    const int naiveRows = argc > 2 ? std::atoi(argv[2]) : rows;
    InitBenchControls();
    BenchServices services;

    // A short first fill, not measured, lets Wine finish starting its own
    // services, which otherwise take the processor from the first figures.
    InstantProtection warmUp(2000);
    PlatformServices warming = services.With(warmUp);
    BenchDialog(warming, 2000).DoModal();

    InstantProtection instant(static_cast<unsigned>(rows));
    PlatformServices fast = services.With(instant);
    BenchDialog bench(fast, rows);
    bench.DoModal();
    const FillFigures figures = bench.figures;
    std::printf("fill of %d rows: first row after %.1f ms, full list after %.1f ms, worst answer delay %.1f ms\n",
                rows, figures.firstRow * 1000, figures.fullList * 1000, figures.worstDelay * 1000);

    InstantProtection none(0);
    PlatformServices empty = services.With(none);
    NaiveDialog naive(empty, naiveRows);
    naive.DoModal();
    const double naivePerRow = naive.seconds / naiveRows;
    std::printf("naive fill of %d rows: %.1f ms (%.3f ms a row, so %.1f s for %d rows): %.0fx the time\n",
                naiveRows, naive.seconds * 1000, naivePerRow * 1000, naivePerRow * rows, rows,
                naivePerRow * rows / figures.fullList);

    EndlessProtection endless;
    PlatformServices filling = services.With(endless);
    std::printf("closing in the middle of a fill, at 15000 rows: %.1f ms until the dialog was gone\n",
                MeasureClose(filling, 15000) * 1000);

    MeasureWalk();
    return 0;
}
