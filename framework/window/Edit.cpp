#include "framework/window/Edit.h"

#include <climits>
#include <cstring>
#include <vector>

namespace {

// Under half a second of layout each for the slowest edit box seen (Wine):
// a text up to the first size is set at once, a larger one in steps.
constexpr std::size_t kWholeBytes = 512 * 1024;
constexpr std::size_t kStepBytes = 256 * 1024;

// Where the step from nFrom ends: after the first LF at or past the step
// size, so that no CR LF pair is cut in two; or at the end of the text.
std::size_t StepEnd(const char* pch, std::size_t nFrom, std::size_t nLength)
{
    if (nLength - nFrom <= kStepBytes)
        return nLength;
    const void* pLf = std::memchr(pch + nFrom + kStepBytes, '\n', nLength - nFrom - kStepBytes);
    return pLf ? static_cast<const char*>(pLf) - pch + 1 : nLength;
}

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
    if (nLength <= kWholeBytes) {
        SetWindowText(strText);
        return;
    }
    ::SendMessageA(m_hWnd, EM_SETLIMITTEXT, 0, 0);  // appended text counts against the limit
    const char* const pch = strText.GetString();
    std::size_t nFrom = StepEnd(pch, 0, nLength);
    SetWindowText(CString(pch, nFrom));
    while (nFrom < nLength) {
        if (!keepGoing())
            return;
        const std::size_t nTo = StepEnd(pch, nFrom, nLength);
        const CString step(pch + nFrom, nTo - nFrom);
        ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
        SetSel(INT_MAX, INT_MAX);  // the end; measuring the text would cost as much as the step
        ::SendMessageA(m_hWnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(step.GetString()));
        SetSel(0, 0);
        ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        nFrom = nTo;
    }
    ScrollCaret();
}
