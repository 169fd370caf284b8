#include "ui/SearchDlg.h"

#include "framework/portable/HeldFileRetry.h"
#include "framework/portable/WideText.h"
#include "framework/window/Clock.h"
#include "framework/window/PaintDC.h"
#include "framework/window/Resources.h"
#include "framework/window/SentMessages.h"
#include "res/resource.h"
#include "search/SearchRun.h"
#include "store/DataFile.h"
#include "ui/AboutDlg.h"
#include "ui/Announcement.h"

#include <iterator>
#include <utility>

namespace {

// Ctrl without Alt: Ctrl+Alt is AltGr on many keyboards.
bool IsCtrlDown()
{
    return ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0;
}

}  // namespace

const MessageMapEntry CSearchDlg::s_messageEntries[] = {
    {WM_SYSCOMMAND, 0, 0, &MemberHandler<CSearchDlg, &CSearchDlg::OnSysCommand>},
    {WM_PAINT, 0, 0, &MemberHandler<CSearchDlg, &CSearchDlg::OnPaint>},
    {WM_DESTROY, 0, 0, &MemberHandler<CSearchDlg, &CSearchDlg::OnDestroy>},
    {WM_QUERYDRAGICON, 0, 0, &MemberHandler<CSearchDlg, &CSearchDlg::OnQueryDragIcon>},
    {WM_COMMAND, EN_CHANGE, IDC_QUERY, &MemberHandler<CSearchDlg, &CSearchDlg::OnChangeQuery>},
    {WM_COMMAND, EN_ERRSPACE, IDC_RESULTS, &MemberHandler<CSearchDlg, &CSearchDlg::OnResultsOutOfMemory>},
    {WM_TIMER, 0, 0, &MemberHandler<CSearchDlg, &CSearchDlg::OnTimer>},
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
    // The boxes have no labels: a screen reader says these instead.
    m_queryName.SetName(m_editQuery.m_hWnd, L"Journal abbreviation or title");
    m_resultsName.SetName(m_editResults.m_hWnd, L"Matching journals");
    m_announcer.Create(m_hWnd, m_editResults.m_hWnd);
    SetHeldFileWait({[this](bool bWaiting) { ShowHeldFileWait(bWaiting); }, SleepAnsweringSentMessages});
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
    const std::wstring about = LoadResourceString(IDS_ABOUTBOX);
    if (about.empty())
        return;
    sysMenu.AppendSeparator();
    sysMenu.AppendItem(IDM_ABOUTBOX, about.c_str());
}

HandlerResult CSearchDlg::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) != IDM_ABOUTBOX)
        return kLeftToDefault;
    CAboutDlg dlgAbout(m_hWnd);
    dlgAbout.DoModal();
    return Handled();
}

HandlerResult CSearchDlg::OnPaint()
{
    if (!IsIconic())
        return kLeftToDefault;
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    ::GetClientRect(m_hWnd, &rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
    return Handled();
}

HandlerResult CSearchDlg::OnDestroy()
{
    SetHeldFileWait({});
    m_queryName.Clear();
    m_resultsName.Clear();
    m_announcer.Destroy();
    return kLeftToDefault;
}

// The window takes no input while the file is waited for: the caption,
// which the system draws at once, says why, and a screen reader told that
// the window's name changed hears it, as the wait answers what is sent.
// What another program sends meanwhile may start a search that waits
// within this one's wait: the outermost wait alone sets the caption.
void CSearchDlg::ShowHeldFileWait(bool bWaiting)
{
    if (bWaiting ? m_nWaits++ > 0 : --m_nWaits > 0)
        return;
    if (bWaiting)
        m_caption = WindowText();
    SetWindowText(bWaiting ? LoadResourceString(IDS_WAITING_CAPTION) : m_caption);
}

HCURSOR CSearchDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CSearchDlg::OnChangeQuery()
{
    m_fill.Empty();
    if (m_typing.OnChange(MillisecondClock))
        SetTimer(SEARCH_TIMER_ID, CTypingPause::kPauseTicks);
}

void CSearchDlg::OnResultsOutOfMemory()
{
    m_fill.OnBoxOutOfMemory();
}

HandlerResult CSearchDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == SEARCH_TIMER_ID) {
        KillTimer(SEARCH_TIMER_ID);
        if (m_typing.OnTimer())
            RunSearch();
    }
    return kLeftToDefault;
}

BOOL CSearchDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        // Consumed here: Return neither closes the dialog nor breaks the line.
        SelectOrEraseQuery();
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_BACK && pMsg->hwnd == m_editQuery.m_hWnd && IsCtrlDown()) {
        // Consumed here: a plain edit box would insert the character 0x7F.
        m_editQuery.DeleteWordBeforeCaret();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CSearchDlg::SelectOrEraseQuery()
{
    m_editQuery.SetFocus();
    if (m_returnToggle.OnReturn() == ReturnAction::SelectQuery) {
        m_editQuery.SetSel(0, m_editQuery.GetTextLength());
        m_editQuery.ScrollCaret();
    } else {
        m_editQuery.SetText(L"");
        // A multi-line box reports no change for a text set whole, yet
        // erasing is a change of the query like any other.
        OnChangeQuery();
    }
}

// The query goes to the search with every character of the box, put into
// the ANSI code page only for a list read in it: a character the code page
// lacks then finds nothing, as no line can hold it. The results show as
// the list has them. Screen readers are told once what the run leaves in
// the box.
void CSearchDlg::RunSearch()
{
    const std::wstring query = m_editQuery.GetText();
    const auto inAnsi = [&query] {
        CAnsiText text;
        text.strBytes = CodePageFromWide(query, CP_ACP, &text.bLacking);
        return text;
    };
    std::u16string announcement;
    ::RunSearch(
        m_strDir, {Utf8FromWide(query.data(), query.size()), inAnsi},
        [this, &announcement](CString strText, std::size_t nJournals, TextCoding coding) {
            const UINT nCodePage = coding == TextCoding::Utf8 ? CP_UTF8 : CP_ACP;
            // A message is short; a result's words are the string table's.
            const std::wstring message =
                nJournals == 0 ? WideFromCodePage({strText.GetString(), strText.GetLength()}, nCodePage) : L"";
            announcement = AnnouncementOf(Utf16Of(message), nJournals, Utf16Of(LoadResourceString(IDS_ONE_JOURNAL)),
                                          Utf16Of(LoadResourceString(IDS_JOURNALS)));
            m_fill.Start(std::move(strText), nCodePage);
        },
        CListCoding::ActiveAnsi());
    if (!announcement.empty())
        m_announcer.Announce(WideOf(announcement));
}

DWORD CSearchDlg::OnIdle()
{
    // A large result goes on showing, a part each time no message waits:
    // keys, the mouse and painting always come first.
    return m_fill.OnIdle();
}
