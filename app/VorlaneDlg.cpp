#include "app/VorlaneDlg.h"

#include "scan/FillStatus.h"
#include "app/IconPlacement.h"
#include "controls/AboutDlg.h"
#include "framework/DC.h"
#include "framework/Dpi.h"
#include "framework/GuiFont.h"
#include "framework/SystemError.h"
#include "framework/WinApp.h"
#include "framework/Handle.h"
#include "platform/ThreadStarter.h"
#include "res/resource.h"
#include "scan/EnumerationWorker.h"
#include "platform/FileSystemRedirection.h"
#include "scan/ServiceErrorText.h"
#include "scan/SystemInfo.h"
#include "platform/SystemLeadBytes.h"
#include "platform/TextConversion.h"

namespace {

// Posted by the worker's queue when rows wait to be shown.
constexpr UINT WM_ROWS_READY = WM_APP + 1;
// Posted to itself at start when the command line named a file to check:
// the check, and any message box it shows, come once the window is up.
constexpr UINT WM_CHECK_ON_OPEN = WM_APP + 2;
// Fetches the next slice of rows while rows remain, and rows that trickle in
// soon after a slice. Timer messages come only when no input or painting is
// pending, so the user is served between slices.
constexpr UINT_PTR kRowsTimer = 1;
// When the last slice found only a few rows, rows that arrive within this
// time after it wait for the timer: a slow enumeration does not repaint the
// list for every row it finds.
constexpr DWORD kGatherMs = 30;
// Says how far the enumeration has got, four times a second.
constexpr UINT_PTR kStatusTimer = 2;
constexpr UINT kStatusMs = 250;

// Says when a slice of time is over. Timed by the performance counter: the
// runtime's clocks advance in steps as long as a whole slice on some systems.
class SliceTimer {
public:
    explicit SliceTimer(std::chrono::milliseconds slice)
    {
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        ::QueryPerformanceCounter(&m_end);
        m_end.QuadPart += frequency.QuadPart * slice.count() / 1000;
    }
    bool Over() const
    {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return now.QuadPart >= m_end.QuadPart;
    }

private:
    LARGE_INTEGER m_end;
};

InspectionServices InspectionServicesOf(PlatformServices& services)
{
    return {services.protection, services.versions, services.fileDialogs, services.redirection};
}

ListCommandServices ListCommandServicesOf(PlatformServices& services)
{
    return {services.clipboard, services.files, services.fileDialogs, services.shell,
            services.system,    services.trust, services.threads};
}

}  // namespace

BEGIN_MESSAGE_MAP(CVorlaneDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_MESSAGE(WM_ROWS_READY, OnRowsReady)
    ON_MESSAGE(WM_CHECK_ON_OPEN, OnCheckOnOpen)
    ON_NOTIFY(NM_CLICK, IDC_FILE_LIST, OnClickFileList)
    ON_NOTIFY(LVN_KEYDOWN, IDC_FILE_LIST, OnListKeyDown)
    ON_WM_CONTEXTMENU()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_COMMAND(ID_LIST_ALL, OnListAll)
    ON_COMMAND_TARGET(m_inspection)
    ON_COMMAND_TARGET(m_commands)
END_MESSAGE_MAP()

CVorlaneDlg::CVorlaneDlg(CWnd* pParent) : CVorlaneDlg(PlatformServices::Production(), pParent) {}

CVorlaneDlg::CVorlaneDlg(PlatformServices& services, CWnd* pParent)
    : CDialog(IDD_MAIN, pParent),
      m_services(services),
      m_model(SystemLeadBytes()),
      m_listRows(m_model),
      m_list(m_listRows),
      m_logo(services.shell),
      m_inspection(*this, m_list, m_model, InspectionServicesOf(services)),
      m_commands(*this, m_list, m_model, m_inspection, ListCommandServicesOf(services)),
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_hAccel(::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_ACCELERATORS)))
{
}

CVorlaneDlg::~CVorlaneDlg()
{
    StopWorker();
}

void CVorlaneDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    m_inspection.DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LOGO, m_logo);
    DDX_Control(pDX, IDC_FILE_LIST, m_list);
}

BOOL CVorlaneDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (const HMENU hSystemMenu = GetSystemMenu(FALSE)) {
        CString about;
        about.LoadString(IDS_ABOUTBOX);
        if (!about.IsEmpty()) {
            ::AppendMenuA(hSystemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(hSystemMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }

    SetIcon(m_hIcon, TRUE);

    m_list.InsertColumns();
    // The template's size is the smallest; the list grows with the window.
    m_layout.Attach(m_hWnd, IDC_FILE_LIST);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES);

    CreateBoldFont();
    StartWorker();
    if (!m_strCheckOnOpen.empty())
        PostMessage(WM_CHECK_ON_OPEN);
    return TRUE;
}

LRESULT CVorlaneDlg::OnCheckOnOpen(WPARAM, LPARAM)
{
    m_inspection.CheckPath(m_strCheckOnOpen);
    return 0;
}

void CVorlaneDlg::CreateBoldFont()
{
    const LOGFONTA font = BoldGuiFont();
    m_fontBold.CreateFontIndirect(&font);
    if (const HWND hFileName = GetDlgItem(IDC_FILE_NAME))
        ::SendMessageA(hFileName, WM_SETFONT, reinterpret_cast<WPARAM>(m_fontBold.GetSafeHandle()), TRUE);
}

void CVorlaneDlg::StartWorker()
{
    // The wake-up names the window, not this object: it may come from a
    // worker that outlived the dialog, and then it just fails.
    const HWND hWnd = m_hWnd;
    m_queue = std::make_shared<RowQueue>([hWnd] { return ::PostMessageA(hWnd, WM_ROWS_READY, 0, 0) != FALSE; },
                                         m_bListAll ? RowQueue::AtLimit::GoOn : RowQueue::AtLimit::Wait);
    const EnumerationJob job{{m_services.protection, m_services.directories, m_services.system, SystemLeadBytes()},
                             m_queue};
    // Set by the worker as its last act; shared, since it may outlive the
    // dialog.
    auto ended = std::make_shared<CHandle>(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    unsigned error = *ended ? 0 : ::GetLastError();
    if (!error) {
        error = m_services.threads.Start(
            [job, ended] {
                RunEnumeration(job);
                ::SetEvent(*ended);
            },
            ThreadStarter::Priority::Normal);
    }
    if (error) {
        m_inspection.ShowStatus(NotStartedStatus(SystemErrorText(error)));
        return;
    }
    m_workerEnded = std::move(ended);
    m_list.SetWorking(true);
    ShowFillStatus();
    ::SetTimer(m_hWnd, kStatusTimer, kStatusMs, nullptr);
}

void CVorlaneDlg::ShowFillStatus()
{
    m_inspection.ShowStatus(FillingStatus(m_queue->FilesChecked(), m_queue->RowsFound()));
}

LRESULT CVorlaneDlg::OnRowsReady(WPARAM, LPARAM)
{
    if (m_lastSliceRows < kRowsPerChunk && ::GetTickCount() - m_lastFillTick < kGatherMs)
        ::SetTimer(m_hWnd, kRowsTimer, USER_TIMER_MINIMUM, nullptr);
    else
        FillSlice();
    return 0;
}

void CVorlaneDlg::FillSlice()
{
    const SliceTimer slice(kFillSlice);
    RowQueue::Batch batch;
    m_lastSliceRows = 0;
    do {
        batch = m_queue->Take(kRowsPerChunk);
        m_lastSliceRows += batch.rows.size();
        m_model.Append(std::move(batch.rows));
    } while (batch.more && !slice.Over());
    if (m_lastSliceRows)
        m_list.ShowAppendedRows();
    if (batch.more)
        ::SetTimer(m_hWnd, kRowsTimer, USER_TIMER_MINIMUM, nullptr);
    else
        ::KillTimer(m_hWnd, kRowsTimer);
    if (batch.waitingAtLimit) {
        m_commands.SetListState(ListState::WaitingAtLimit);
        ShowListEnded();
        m_inspection.ShowStatus(FilledStatus(m_queue->RowsFound(), true));
    }
    if (batch.finished) {
        m_workerEnded.reset();
        const ListingOutcome& outcome = m_queue->Outcome();
        m_commands.SetListEnded(outcome);
        ShowListEnded();
        const unsigned rows = m_queue->RowsFound();
        const std::vector<UnlistedFolder>& unlisted = outcome.unlistedFolders;
        m_inspection.ShowStatus(
            outcome.serviceError   ? ServiceErrorText(outcome.serviceError)
            : outcome.listingError ? IncompleteStatus(rows, SystemErrorText(outcome.listingError))
            : !unlisted.empty() && !outcome.stoppedAtLimit
                ? UnlistedStatus(unlisted.size(), unlisted.front().path, SystemErrorText(unlisted.front().error))
                : FilledStatus(rows, outcome.stoppedAtLimit));
    }
    m_lastFillTick = ::GetTickCount();
}

void CVorlaneDlg::ShowListEnded()
{
    // The rows may have brought a vertical scroll bar.
    m_list.FitColumns();
    ::KillTimer(m_hWnd, kStatusTimer);
    m_list.SetWorking(false);
}

void CVorlaneDlg::OnListAll()
{
    if (m_commands.State() != ListState::WaitingAtLimit)
        return;
    // The walk goes on from the file after the row limit's, and so do the
    // numbers; the rows shown, the selection and the scroll position stay.
    m_commands.SetListState(ListState::Filling);
    m_list.SetWorking(true);
    ShowFillStatus();
    ::SetTimer(m_hWnd, kStatusTimer, kStatusMs, nullptr);
    m_queue->GoOn();
}

void CVorlaneDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kRowsTimer)
        FillSlice();
    else if (nIDEvent == kStatusTimer) {
        ShowFillStatus();
        // Also what a wake-up that a full message queue refused would have
        // brought: the walk may wait at the row limit without another row.
        FillSlice();
    }
    else
        Default();
}

void CVorlaneDlg::StopWorker()
{
    if (!m_workerEnded)
        return;
    // The worker never waits for this thread and stops at the next entry or
    // row. Only a service call that blocks holds it up; then it is left to
    // end with the process.
    m_queue->RequestStop();
    ::WaitForSingleObject(*m_workerEnded, kWorkerStopWaitMs);
    m_workerEnded.reset();
}

void CVorlaneDlg::OnSize(UINT, int, int)
{
    m_layout.Resize();
    if (m_list.m_hWnd)
        m_list.FitColumns();
}

void CVorlaneDlg::OnGetMinMaxInfo(MINMAXINFO* pInfo)
{
    m_layout.LimitTracking(pInfo);
}

void CVorlaneDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about(m_services.shell);
        about.DoModal();
    } else {
        Default();
    }
}

void CVorlaneDlg::OnClickFileList(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_inspection.ShowFileDetails(reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->iItem);
    *pResult = 0;
}

void CVorlaneDlg::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    // Ctrl+C copies the path and Ctrl+A selects every row only in the
    // list: the edits keep their own.
    const WORD key = reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey;
    if (::GetKeyState(VK_CONTROL) < 0) {
        if (key == 'C')
            m_commands.CopyPath();
        else if (key == 'A')
            m_list.SelectAll();
    }
    *pResult = 0;
}

void CVorlaneDlg::OnContextMenu(HWND hWnd, POINT point)
{
    if (hWnd == m_list.m_hWnd)
        m_commands.ShowMenu(point);
    else
        Default();
}

BOOL CVorlaneDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccel && ::TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CVorlaneDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
    RECT client;
    GetClientRect(&client);
    dc.DrawIcon(CenteredIconOffset(client.right - client.left, ::GetSystemMetrics(SM_CXICON)),
                CenteredIconOffset(client.bottom - client.top, ::GetSystemMetrics(SM_CYICON)), m_hIcon);
}

HCURSOR CVorlaneDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CVorlaneDlg::OnOK()
{
    // Enter never closes the dialog: in the search field it searches, in
    // the path field it checks, elsewhere it does nothing.
    m_inspection.OnEnter(::GetFocus());
}

void CVorlaneDlg::OnDestroy()
{
    StopWorker();
    CWnd::OnDestroy();
    m_fontBold.DeleteObject();
}
