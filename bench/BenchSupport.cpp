#include "bench/BenchSupport.h"

#include <algorithm>
#include <cstdio>

#include <commctrl.h>

#include "platform/TextConversion.h"

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

std::string AnswerDelays(std::vector<double> answers)
{
    if (answers.empty())
        return "no answers";
    std::sort(answers.begin(), answers.end());
    char text[96];
    std::snprintf(text, sizeof text, "max %.1f ms, p99 %.1f ms (%zu answers)", answers.back() * 1000,
                  answers[answers.size() * 99 / 100] * 1000, answers.size());
    return text;
}

AnswerProbe::AnswerProbe(HWND hWnd) : m_hWnd(hWnd)
{
    m_hThread = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

AnswerProbe::~AnswerProbe()
{
    ::CloseHandle(m_hThread);
}

std::vector<double> AnswerProbe::Finish()
{
    m_stop = true;
    ::WaitForSingleObject(m_hThread, INFINITE);
    return m_answers;
}

DWORD WINAPI AnswerProbe::Run(LPVOID self)
{
    static_cast<AnswerProbe*>(self)->Watch();
    return 0;
}

void AnswerProbe::Watch()
{
    while (!m_stop) {
        const double asked = Now();
        DWORD_PTR count = 0;
        if (!::SendMessageTimeoutA(m_hWnd, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 10000, &count))
            return;
        m_answers.push_back(Now() - asked);
        ::Sleep(1);
    }
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
    // The list shows the "working in background" arrow until it is filled.
    const HWND list = GetDlgItem(IDC_FILE_LIST);
    ::SendMessageA(list, WM_SETCURSOR, reinterpret_cast<WPARAM>(list), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    if (::GetCursor() != ::LoadCursorA(nullptr, IDC_APPSTARTING)) {
        ::KillTimer(m_hWnd, kWatch);
        m_whenFilled(*this);
        EndDialog(IDCANCEL);
    }
    return 0;
}

ChosenFile::ChosenFile(const std::string& path) : m_path(WideText(path)) {}

BOOL ChosenFile::GetSaveFileName(OPENFILENAMEW& record)
{
    ::lstrcpynW(record.lpstrFile, m_path.c_str(), static_cast<int>(record.nMaxFile));
    return TRUE;
}
