#include "framework/window/Edit.h"

#include "framework/portable/WideText.h"
#include "framework/portable/WordBreak.h"
#include "framework/window/PaintDC.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// The x of a box's client point in the result of EM_POSFROMCHAR.
int PointX(LRESULT nPoint)
{
    return static_cast<short>(LOWORD(nPoint));
}

}  // namespace

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

bool CEdit::SetTextInNewBuffer(const CString& strText, std::size_t nChars) const
{
    // The box keeps its text as UTF-16 (common controls 6), in memory from
    // LocalAlloc that it may grow; the old buffer is ours to free. Its own
    // conversion of 8-bit text is from the ANSI code page.
    const std::wstring text = WideFromCodePage(strText, CP_ACP);
    const HLOCAL hBuffer = ::LocalAlloc(LMEM_MOVEABLE, (std::max(nChars, text.size()) + 1) * sizeof(wchar_t));
    if (hBuffer == nullptr)
        return false;
    std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<wchar_t*>(::LocalLock(hBuffer)));
    ::LocalUnlock(hBuffer);
    SetRedraw(false);
    const HLOCAL hOld = reinterpret_cast<HLOCAL>(::SendMessageA(m_hWnd, EM_GETHANDLE, 0, 0));
    ::SendMessageA(m_hWnd, EM_SETHANDLE, reinterpret_cast<WPARAM>(hBuffer), 0);
    ::LocalFree(hOld);
    if (text.empty()) {
        // Wine lays out a buffer handed over only as far as its text goes:
        // an empty one would keep the old text's lines.
        ::SetWindowTextA(m_hWnd, " ");
        ::SetWindowTextA(m_hWnd, "");
    }
    SetRedraw(true);
    return true;
}

void CEdit::AppendText(const CString& strText) const
{
    DWORD nStart = 0;
    DWORD nEnd = 0;
    GetSel(nStart, nEnd);
    const DWORD nCaret = CaretEndOfSelection(nStart, nEnd);
    const LRESULT nTopLine = ::SendMessageA(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0);
    const int nLeft = LeftOfText();
    SetRedraw(false);
    SetSel(INT_MAX, INT_MAX);  // the end; measuring the text would cost as much as the step
    ReplaceSel(strText.GetString(), false);
    // Inserting moved the caret to the end and scrolled it into view: the
    // user's selection, and the place in the box's own units (lines and
    // characters), come back.
    SetSel(nCaret == nStart ? nEnd : nStart, nCaret);
    const LRESULT nLines = nTopLine - ::SendMessageA(m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0);
    const int nPixels = LeftOfText() - nLeft;
    const int nCharWidth = nPixels != 0 ? AverageCharWidth() : 0;
    const long nChars = nCharWidth > 0 ? std::lround(static_cast<double>(nPixels) / nCharWidth) : 0;
    if (nLines != 0 || nChars != 0)
        ::SendMessageA(m_hWnd, EM_LINESCROLL, nChars, nLines);
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

// EM_GETSEL orders the ends of a selection; which one the caret is at shows
// where the box draws its caret, which it has only while it has the focus
// (and only then can the user move that end).
DWORD CEdit::CaretEndOfSelection(DWORD nStart, DWORD nEnd) const
{
    POINT caret;
    if (nStart == nEnd || ::GetFocus() != m_hWnd || !::GetCaretPos(&caret))
        return nEnd;
    // A pixel either way: the two ends are a character apart at least.
    const LRESULT nStartPoint = ::SendMessageA(m_hWnd, EM_POSFROMCHAR, nStart, 0);
    const bool bAtStart =
        std::abs(PointX(nStartPoint) - caret.x) <= 1 && static_cast<short>(HIWORD(nStartPoint)) == caret.y;
    return bAtStart ? nStart : nEnd;
}

// Where the first character of the text is drawn, in client pixels: left of
// the box's edge by as much as the box is scrolled to the right.
int CEdit::LeftOfText() const
{
    return PointX(::SendMessageA(m_hWnd, EM_POSFROMCHAR, 0, 0));
}

// The unit of EM_LINESCROLL across: the average character width of the box's
// font.
int CEdit::AverageCharWidth() const
{
    const HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    return CClientDC(m_hWnd).TextMetricsOf(hFont).tmAveCharWidth;
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
