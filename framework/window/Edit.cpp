#include "framework/window/Edit.h"

#include <climits>
#include <vector>

CString CEdit::GetWindowText() const
{
    std::vector<char> text(::GetWindowTextLengthA(m_hWnd) + 1);
    const int nLength = ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
    return CString(text.data(), nLength);
}

void CEdit::SetWindowText(const CString& strText) const
{
    // One repaint for the whole text, not one per step of its layout.
    ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    ::SetWindowTextA(m_hWnd, strText.GetString());
    Redraw();
}

void CEdit::AppendText(const char* pszText) const
{
    ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(m_hWnd, EM_SETLIMITTEXT, 0, 0);  // appended text counts against the limit
    SetSel(INT_MAX, INT_MAX);  // the end; measuring the text would cost as much as the step
    ::SendMessageA(m_hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(pszText));
    SetSel(0, 0);
    ScrollCaret();
    Redraw();
}

void CEdit::Redraw() const
{
    // The scroll bars lie in the frame, outside the client area; painted
    // now, not after the messages waiting.
    ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}
