#include "framework/window/Dialog.h"

#include "framework/window/ErrorReport.h"
#include "framework/window/WinApp.h"

#include <iterator>

const MessageMapEntry CDialog::s_messageEntries[] = {
    {WM_COMMAND, BN_CLICKED, IDOK, &MemberHandler<CDialog, &CDialog::OnOK>},
    {WM_COMMAND, BN_CLICKED, IDCANCEL, &MemberHandler<CDialog, &CDialog::OnCancel>},
};

const MessageMap CDialog::s_messageMap = {nullptr, s_messageEntries, std::size(s_messageEntries)};

CDialog::CDialog(UINT nIDTemplate, HWND hParent) : m_nIDTemplate(nIDTemplate), m_hParent(hParent)
{
}

INT_PTR CDialog::DoModal()
{
    // An owner that something else disabled already (a message box above
    // it) is left disabled when this dialog goes.
    const bool bDisabledOwner = m_hParent && !::EnableWindow(m_hParent, FALSE);
    m_bInModalLoop = true;
    m_nModalResult = IDCANCEL;
    ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), m_hParent, DialogProc,
                         reinterpret_cast<LPARAM>(this));
    // A template without WS_VISIBLE, like the About box's, is shown here.
    if (m_hWnd && !::IsWindowVisible(m_hWnd))
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    RunMessageLoop();
    // The owner comes back before this window goes, so that it takes the
    // activation.
    if (bDisabledOwner) {
        ::EnableWindow(m_hParent, TRUE);
        ::SetActiveWindow(m_hParent);
    }
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    return m_nModalResult;
}

void CDialog::RunMessageLoop()
{
    MSG msg;
    while (m_bInModalLoop && m_hWnd) {
        // The loop's own calls are guarded here, the handlers in Dispatch:
        // nothing may leave the loop as an exception.
        try {
            if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                const DWORD dwWaitMs = IdleTurn();
                if (dwWaitMs == 0)
                    continue;
                if (dwWaitMs != INFINITE) {
                    ::MsgWaitForMultipleObjectsEx(0, nullptr, dwWaitMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
                    continue;
                }
            }
            const BOOL bGot = ::GetMessageW(&msg, nullptr, 0, 0);
            if (bGot <= 0) {
                if (bGot == 0)
                    ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
                return;
            }
            if (!PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        } catch (...) {
            ReportFailure();
        }
    }
}

DWORD CDialog::IdleTurn()
{
    try {
        return OnIdle();
    } catch (...) {
        ReportFailure();
    }
    return INFINITE;
}

void CDialog::ReportFailure() const
{
    // The quit message ends this loop and every loop around it.
    if (!ReportCurrentException(m_hWnd))
        ::PostQuitMessage(1);
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bInModalLoop = false;
}

std::wstring CDialog::WindowText() const
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CDialog::OnInitDialog()
{
    CDataExchange dx(m_hWnd);
    DoDataExchange(&dx);
    CenterWindow();
    return TRUE;
}

void CDialog::CenterWindow() const
{
    if (::GetWindowLongW(m_hWnd, GWL_STYLE) & DS_CENTER)
        return;  // the system has centred it already
    RECT rcDialog;
    RECT rcArea;
    ::GetWindowRect(m_hWnd, &rcDialog);
    if (m_hParent && !::IsIconic(m_hParent))
        ::GetWindowRect(m_hParent, &rcArea);
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    const int nWidth = rcDialog.right - rcDialog.left;
    const int nHeight = rcDialog.bottom - rcDialog.top;
    const int x = (rcArea.left + rcArea.right - nWidth) / 2;
    const int y = (rcArea.top + rcArea.bottom - nHeight) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_INITDIALOG) {
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = hWnd;
    }
    CDialog* pDialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    return pDialog ? pDialog->Dispatch(nMessage, wParam, lParam) : FALSE;
}

INT_PTR CDialog::Dispatch(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // No exception may cross the system's window procedure (the 32-bit tool
    // chain cannot unwind through its frames): every one is reported here.
    try {
        if (nMessage == WM_INITDIALOG)
            return OnInitDialog();
        const MessageMapEntry* pEntry = FindHandler(nMessage, wParam);
        if (pEntry == nullptr)
            return FALSE;
        const HandlerResult result = pEntry->pfnHandler(*this, wParam, lParam);
        if (!result.bHandled)
            return FALSE;
        if (nMessage == WM_QUERYDRAGICON)  // answered by the return value itself
            return result.lResult;
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result.lResult);
        return TRUE;
    } catch (...) {
        ReportFailure();
    }
    return nMessage == WM_INITDIALOG;
}

const MessageMapEntry* CDialog::FindHandler(UINT nMessage, WPARAM wParam) const
{
    for (const MessageMap* pMap = GetMessageMap(); pMap; pMap = pMap->pBaseMap) {
        for (std::size_t i = 0; i < pMap->nEntries; ++i) {
            const MessageMapEntry& entry = pMap->pEntries[i];
            if (entry.nMessage != nMessage)
                continue;
            if (nMessage != WM_COMMAND || (entry.nCode == HIWORD(wParam) && entry.nID == LOWORD(wParam)))
                return &entry;
        }
    }
    return nullptr;
}
