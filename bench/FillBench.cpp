// Measures how fast the main dialog fills its list, from a service that
// lists its files at once and from the walk of a folder tree, against a bare
// FindFirstFile/FindNextFile walk of the same tree and the plain walk that
// /save runs; how well it answers meanwhile, in fills of their own; and how
// fast it closes in the middle of a fill. Prints figures only.
//
//   fill_bench [rows]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/BenchSupport.h"
#include "rows/RowModel.h"
#include "scan/Enumeration.h"
#include "platform/SystemLeadBytes.h"

namespace {

constexpr int kWalkRounds = 7;
// The walked tree: a file at its top and folders of files below, 30001 in all.
constexpr int kTreeFolders = 120;
constexpr int kFilesPerFolder = 250;
constexpr long kTreeFiles = kTreeFolders * kFilesPerFolder + 1;

struct FillFigures {
    // When the dialog started the fill; the other times count from it.
    double start = 0;
    double firstRow = -1;
    double fullList = -1;
    // Every time the dialog's thread took to answer the probe, if probed.
    std::vector<double> answers;
};

// The real dialog, timed from the start of its initialisation, which starts
// the fill, until its list holds `rows` rows, as seen after each message it
// handles; then it closes. With `probed`, a probe asks its list meanwhile:
// the probe's messages cost the dialog's thread time, so the fill is timed
// without it.
class BenchDialog : public CVorlaneDlg {
public:
    BenchDialog(PlatformServices& services, int rows, bool probed)
        : CVorlaneDlg(services), m_rows(rows), m_bProbed(probed)
    {
    }
    FillFigures figures;

protected:
    BOOL OnInitDialog() override
    {
        figures.start = Now();
        const BOOL result = CVorlaneDlg::OnInitDialog();
        if (m_bProbed)
            m_probe = std::make_unique<AnswerProbe>(GetDlgItem(IDC_FILE_LIST));
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT result = CVorlaneDlg::WindowProc(message, wParam, lParam);
        if (figures.fullList < 0 && m_hWnd) {
            const int count = ListView_GetItemCount(GetDlgItem(IDC_FILE_LIST));
            if (count > 0 && figures.firstRow < 0)
                figures.firstRow = Now() - figures.start;
            if (count >= m_rows) {
                figures.fullList = Now() - figures.start;
                PostMessage(WM_COMMAND, IDCANCEL);
            }
        }
        return result;
    }
    void OnCancel() override
    {
        if (m_probe)
            figures.answers = m_probe->Finish();
        CVorlaneDlg::OnCancel();
    }

private:
    int m_rows;
    bool m_bProbed;
    std::unique_ptr<AnswerProbe> m_probe;
};

FillFigures MeasureFill(PlatformServices& services, int rows, bool probed)
{
    BenchDialog dialog(services, rows, probed);
    dialog.DoModal();
    return dialog.figures;
}

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

// A system from version 6 on, whose Windows folder is the bench's tree.
class WalkingSystem final : public SystemInfo {
public:
    explicit WalkingSystem(std::string root) : m_root(std::move(root)) {}
    unsigned long MajorVersion() override { return 6; }
    std::string WindowsDirectory() override { return m_root; }
    std::string VersionText() override { return {}; }

private:
    std::string m_root;
};

// Protects every file it is asked about, and notes when it was asked first
// and last.
class EveryFileProtected final : public FileProtection {
public:
    double firstAsked = 0;
    double lastAsked = 0;

    bool NextProtectedFile(std::uint32_t&, std::string&) override { return false; }
    bool IsFileProtected(const std::string&) override
    {
        lastAsked = Now();
        if (firstAsked == 0)
            firstAsked = lastAsked;
        return true;
    }
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

void MakeFile(const std::string& path)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
}

// The walked tree in the temporary folder, made by the first run.
std::string WalkTree()
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "vorlane-fill-bench";
    if (BareWalk(root) == kTreeFiles)
        return root;
    ::CreateDirectoryA(root.c_str(), nullptr);
    MakeFile(root + "\\explorer.exe");
    for (int folder = 0; folder < kTreeFolders; ++folder) {
        const std::string directory = root + "\\folder" + std::to_string(folder);
        ::CreateDirectoryA(directory.c_str(), nullptr);
        for (int file = 0; file < kFilesPerFolder; ++file)
            MakeFile(directory + "\\file" + std::to_string(file) + ".dll");
    }
    return root;
}

// The dialog filling from the walk of the tree, against a bare walk of the
// same tree and the plain walk into a row model that /save runs, in rounds
// taken in turn so that the cache and the machine's load treat all alike.
void MeasureWalkFill(BenchServices& platform)
{
    const std::string root = WalkTree();
    WalkingSystem system(root);
    EveryFileProtected protection;
    PlatformServices services = platform.With(protection, system);
    std::vector<double> bare;
    std::vector<double> plain;
    std::vector<double> fill;
    std::vector<double> probedFill;
    std::vector<double> walkStarted;
    std::vector<double> walkEnded;
    std::vector<double> answers;
    long bareFiles = 0;
    std::size_t plainRows = 0;
    for (int round = 0; round < kWalkRounds; ++round) {
        double start = Now();
        bareFiles = BareWalk(root);
        bare.push_back(Now() - start);

        RowModel rows(SystemLeadBytes());
        start = Now();
        ListProtectedFiles({protection, services.directories, system, SystemLeadBytes()}, rows);
        plain.push_back(Now() - start);
        plainRows = rows.Count();

        protection.firstAsked = 0;
        const FillFigures figures = MeasureFill(services, static_cast<int>(kTreeFiles), false);
        fill.push_back(figures.fullList);
        walkStarted.push_back(protection.firstAsked - figures.start);
        walkEnded.push_back(protection.lastAsked - figures.start);

        const FillFigures probed = MeasureFill(services, static_cast<int>(kTreeFiles), true);
        probedFill.push_back(probed.fullList);
        answers.insert(answers.end(), probed.answers.begin(), probed.answers.end());
    }
    std::printf("walk of %s, median and range of %d:\n", root.c_str(), kWalkRounds);
    std::printf("  bare FindFirstFile walk %s (%ld files)\n", Milliseconds(bare).c_str(), bareFiles);
    std::printf("  plain walk into a row model, as /save: %s (%zu rows): %.2fx the bare walk\n",
                Milliseconds(plain).c_str(), plainRows, Median(plain) / Median(bare));
    std::printf("  the dialog's fill until its list holds every row: %s: %.2fx the bare walk\n",
                Milliseconds(fill).c_str(), Median(fill) / Median(bare));
    std::printf("    its worker walked from %s to %s after the dialog's start\n", Milliseconds(walkStarted).c_str(),
                Milliseconds(walkEnded).c_str());
    std::printf("  answer delays during fills probed every millisecond: %s; those fills took %s\n",
                AnswerDelays(answers).c_str(), Milliseconds(probedFill).c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 30001;
    InitBenchControls();
    BenchServices platform;

    // A short first fill, not measured, lets Wine finish starting its own
    // services, which otherwise take the processor from the first figures.
    InstantProtection warmUp(2000);
    PlatformServices warming = platform.With(warmUp);
    MeasureFill(warming, 2000, false);

    InstantProtection instant(static_cast<unsigned>(rows));
    PlatformServices fast = platform.With(instant);
    const FillFigures figures = MeasureFill(fast, rows, false);
    const FillFigures probed = MeasureFill(fast, rows, true);
    std::printf("fill of %d rows from a service that lists them at once: first row after %.1f ms, all after %.1f ms; "
                "probed: answer delays %s\n",
                rows, figures.firstRow * 1000, figures.fullList * 1000, AnswerDelays(probed.answers).c_str());

    MeasureWalkFill(platform);

    EndlessProtection endless;
    PlatformServices filling = platform.With(endless);
    std::printf("closing in the middle of a fill, at 15000 rows: %.1f ms until the dialog was gone\n",
                MeasureClose(filling, 15000) * 1000);
    return 0;
}
