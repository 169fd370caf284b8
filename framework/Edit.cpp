#include "framework/Edit.h"

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
    ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}
