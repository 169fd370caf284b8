#include "framework/window/Edit.h"

#include "framework/portable/WordBreak.h"

#include <climits>
#include <vector>

CString CEdit::GetWindowText() const
{
    std::vector<char> text(::GetWindowTextLengthA(m_hWnd) + 1);
    const int nLength = ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
    return CString(text.data(), nLength);
}

bool CEdit::SetWindowText(const CString& strText) const
{
    // One repaint for the whole text, not one per step of its layout.
    SetRedraw(false);
    const bool bSet = ::SetWindowTextA(m_hWnd, strText.GetString()) != FALSE;
    SetRedraw(true);
    return bSet;
}

void CEdit::AppendText(const CString& strText) const
{
    DWORD nStart = 0;
    DWORD nEnd = 0;
    GetSel(nStart, nEnd);
    const LRESULT nTopLine = ::SendMessageA(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0);
    const int nLeft = ::GetScrollPos(m_hWnd, SB_HORZ);
    SetRedraw(false);
    ::SendMessageA(m_hWnd, EM_SETLIMITTEXT, 0, 0);  // appended text counts against the limit
    SetSel(INT_MAX, INT_MAX);  // the end; measuring the text would cost as much as the step
    ReplaceSel(strText.GetString(), false);
    // Inserting scrolled to the end: the user's place comes back.
    SetSel(nStart, nEnd);
    ::SendMessageA(m_hWnd, EM_LINESCROLL, 0, nTopLine - ::SendMessageA(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0));
    ::SendMessageA(m_hWnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, nLeft), 0);
    SetRedraw(true);
}

void CEdit::DeleteWordBeforeCaret(const CLeadBytes& leadBytes) const
{
    DWORD nStart = 0;
    DWORD nEnd = 0;
    GetSel(nStart, nEnd);
    if (nStart == nEnd)
        SetSel(static_cast<DWORD>(WordStartBefore(GetWindowText(), nEnd, leadBytes)), nEnd);
    ReplaceSel("", true);
}

void CEdit::GetSel(DWORD& nStart, DWORD& nEnd) const
{
    ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&nStart), reinterpret_cast<LPARAM>(&nEnd));
}

void CEdit::ReplaceSel(const char* pszText, bool bCanUndo) const
{
    ::SendMessageA(m_hWnd, EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(pszText));
}

void CEdit::SetRedraw(bool bRedraw) const
{
    ::SendMessageA(m_hWnd, WM_SETREDRAW, bRedraw, 0);
    if (bRedraw) {
        // The scroll bars lie in the frame, outside the client area; painted
        // now, not after the messages waiting.
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }
}
