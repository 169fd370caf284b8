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
    ::SetWindowTextA(m_hWnd, strText.GetString());
}
