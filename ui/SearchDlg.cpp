#include "ui/SearchDlg.h"

#include "framework/window/Clock.h"
#include "framework/window/PaintDC.h"
#include "framework/window/Resources.h"
#include "res/resource.h"
#include "search/SearchRun.h"
#include "store/DataFile.h"
#include "ui/AboutDlg.h"

#include <iterator>

namespace {

constexpr UINT_PTR SEARCH_TIMER_ID = 1;
// The typing pause, in clock ticks and in timer milliseconds alike.
constexpr std::uint32_t kPauseTicks = 200;

constexpr UINT_PTR FILL_TIMER_ID = 2;
// How long the first screenful of a large result stands alone: what is
// asked of the window right after a search (the next key, a look at the
// text) is answered before the rest of the text takes its turns.
constexpr UINT kFillHoldMs = 100;

}  // namespace

const MessageMapEntry CSearchDlg::s_messageEntries[] = {
    {WM_SYSCOMMAND, 0, 0, &OnMessage<CSearchDlg, &CSearchDlg::OnSysCommand>},
    {WM_PAINT, 0, 0, &OnMessage<CSearchDlg, &CSearchDlg::OnPaint>},
    {WM_QUERYDRAGICON, 0, 0, &OnMessage<CSearchDlg, &CSearchDlg::OnQueryDragIcon>},
    {WM_COMMAND, EN_CHANGE, IDC_QUERY, &OnMessage<CSearchDlg, &CSearchDlg::OnChangeQuery>},
    {WM_TIMER, 0, 0, &OnMessage<CSearchDlg, &CSearchDlg::OnTimer>},
};

const MessageMap CSearchDlg::s_messageMap = {&CDialog::s_messageMap, s_messageEntries, std::size(s_messageEntries)};

CSearchDlg::CSearchDlg() : CDialog(IDD_SEARCH_DIALOG, nullptr), m_hIcon(LoadResourceIcon(IDR_MAINFRAME))
{
}

void CSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_RESULTS, m_editResults);
    DDX_Control(pDX, IDC_QUERY, m_editQuery);
}

BOOL CSearchDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AddAboutEntry();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    m_strDir = ProgramDirectory();
    if (!DataFileExists(m_strDir))
        ResetDataFile(m_strDir);
    return TRUE;
}

void CSearchDlg::AddAboutEntry()
{
    const CMenu sysMenu = GetSystemMenu();
    if (!sysMenu)
        return;
    const CString strAbout = LoadResourceString(IDS_ABOUTBOX);
    if (strAbout.IsEmpty())
        return;
    sysMenu.AppendSeparator();
    sysMenu.AppendItem(IDM_ABOUTBOX, strAbout.GetString());
}

void CSearchDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout(m_hWnd);
        dlgAbout.DoModal();
    } else {
        Default();
    }
}

void CSearchDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    ::GetClientRect(m_hWnd, &rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CSearchDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CSearchDlg::OnChangeQuery()
{
    m_fill.Stop();
    m_editResults.SetWindowText("");
    // Only a change after a pause arms the search; changes in quick
    // succession just push the timer back.
    if (MillisecondClock() - m_nLastChange > kPauseTicks)
        m_bPending = 1;
    m_nLastChange = MillisecondClock();
    if (m_bPending)
        SetTimer(SEARCH_TIMER_ID, kPauseTicks);
}

void CSearchDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == SEARCH_TIMER_ID) {
        // Disarmed before the run, so that a run that fails is reported once.
        const bool bDue = m_bPending;
        m_bPending = 0;
        KillTimer(SEARCH_TIMER_ID);
        if (bDue)
            RunSearch();
    } else if (nIDEvent == FILL_TIMER_ID) {
        KillTimer(FILL_TIMER_ID);
        m_bFillHeld = false;
    }
    Default();
}

BOOL CSearchDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        // Consumed here: Return neither closes the dialog nor breaks the line.
        m_editQuery.SetFocus();
        if (!m_bSelected) {
            m_bSelected = 1;
            m_editQuery.SetSel(0, m_editQuery.GetWindowTextLength());
            m_editQuery.ScrollCaret();
        } else {
            m_bSelected = 0;
            m_editQuery.SetWindowText("");
            // A multi-line box reports no change for a text set whole, yet
            // erasing is a change of the query like any other.
            OnChangeQuery();
        }
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CSearchDlg::RunSearch()
{
    ::RunSearch(
        m_strDir, m_editQuery.GetWindowText(),
        [this](const CString& strText) { ShowResults(strText); }, ActiveCodePageLeadBytes());
}

void CSearchDlg::ShowResults(const CString& strText)
{
    m_bFillHeld = m_fill.Start(m_editResults, strText);
    if (m_bFillHeld)
        SetTimer(FILL_TIMER_ID, kFillHoldMs);
}

bool CSearchDlg::OnIdle()
{
    // A large result goes on showing, a step each time no message waits:
    // keys, the mouse and painting always come first.
    return !m_bFillHeld && m_fill.Step();
}
