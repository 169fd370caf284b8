#include "framework/Edit.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include <string>
#include <vector>

namespace {

// Under half a second of layout for the slowest edit box seen (Wine).
constexpr std::size_t kStepBytes = 256 * 1024;

}  // namespace

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

void CEdit::SetWindowTextInSteps(const CString& strText, const std::function<bool()>& keepGoing) const
{
    const std::size_t nLength = strText.GetLength();
    if (nLength <= kStepBytes) {
        SetWindowText(strText);
        return;
    }
    ::SendMessageA(m_hWnd, EM_SETLIMITTEXT, 0, 0);  // appended text counts against the limit
    SetWindowText("");
    const char* const pch = strText.GetString();
    for (std::size_t nFrom = 0; nFrom < nLength;) {
        if (nFrom > 0 && !keepGoing())
            return;
        // Steps end after an LF, so that no CR LF pair is cut in two.
        const char* pchLf = static_cast<const char*>(std::memchr(pch + nFrom + kStepBytes - 1, '\n',
                                                                  nLength - std::min(nLength, nFrom + kStepBytes - 1)));
        const std::size_t nTo = nFrom + kStepBytes >= nLength || pchLf == nullptr ? nLength : pchLf - pch + 1;
        const std::string step(pch + nFrom, nTo - nFrom);
        ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
        SetSel(INT_MAX, INT_MAX);  // the end; measuring the text would cost as much as the step
        ::SendMessageA(m_hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(step.c_str()));
        SetSel(0, 0);
        ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        nFrom = nTo;
    }
    ScrollCaret();
}
