#include "framework/window/Edit.h"

#include "framework/portable/CaretEnd.h"
#include "framework/portable/WideText.h"
#include "framework/portable/WordBreak.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>

namespace {

// EM_GETCARETINDEX: CommCtrl.h from Windows 10 1809 on; not in this tool
// chain's headers.
constexpr UINT kGetCaretIndex = 0x1500 + 18;

// The device context of a window's client area, released with the object.
class CWindowDC {
public:
    explicit CWindowDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    ~CWindowDC()
    {
        if (m_hDC != nullptr)
            ::ReleaseDC(m_hWnd, m_hDC);
    }

    const HWND m_hWnd;
    const HDC m_hDC;
};

// Memory from LocalAlloc, freed with the object unless handed on.
class CLocalMemory {
public:
    explicit CLocalMemory(HLOCAL hMemory) : m_hMemory(hMemory) {}
    CLocalMemory(const CLocalMemory&) = delete;
    CLocalMemory& operator=(const CLocalMemory&) = delete;
    ~CLocalMemory() { ::LocalFree(m_hMemory); }

    HLOCAL Get() const { return m_hMemory; }
    HLOCAL Release() { return std::exchange(m_hMemory, nullptr); }

private:
    HLOCAL m_hMemory;
};

}  // namespace

std::wstring CEdit::GetText() const
{
    std::wstring text(GetTextLength() + 1, L'\0');
    text.resize(::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size())));
    return text;
}

std::size_t CEdit::GetTextLength() const
{
    return static_cast<std::size_t>(::GetWindowTextLengthW(m_hWnd));
}

bool CEdit::SetText(const std::wstring& text) const
{
    if (::SetWindowTextW(m_hWnd, text.c_str()) == FALSE)
        return false;
    ViewTop();
    return true;
}

bool CEdit::SetLargeText(const std::wstring& text, std::size_t nRoomChars) const
{
    SetRedraw(false);  // one repaint for the whole text, not one per step of its layout
    const bool bSet = SetTextInNewBuffer(text, nRoomChars);
    SetRedraw(true);
    return bSet;
}

// The buffer of a multi-line box is memory from LocalAlloc that the box may
// grow, in UTF-16 in a Unicode box (and in any box of common controls 6).
// EM_SETHANDLE makes the old buffer the caller's to free; a box that did
// not take the new one (a single-line box has none to give) lives on the
// old, and gets the text the plain way.
bool CEdit::SetTextInNewBuffer(const std::wstring& text, std::size_t nRoomChars) const
{
    const HLOCAL hOld = ::IsWindowUnicode(m_hWnd) ? reinterpret_cast<HLOCAL>(Send(EM_GETHANDLE)) : nullptr;
    if (hOld == nullptr)
        return SetText(text);
    CLocalMemory buffer(::LocalAlloc(LMEM_MOVEABLE, (std::max(nRoomChars, text.size()) + 1) * sizeof(wchar_t)));
    if (buffer.Get() == nullptr)
        return false;
    wchar_t* const pchBuffer = static_cast<wchar_t*>(::LocalLock(buffer.Get()));
    if (pchBuffer == nullptr)
        return false;
    std::copy(text.c_str(), text.c_str() + text.size() + 1, pchBuffer);
    ::LocalUnlock(buffer.Get());
    Send(EM_SETHANDLE, reinterpret_cast<WPARAM>(buffer.Get()));
    if (reinterpret_cast<HLOCAL>(Send(EM_GETHANDLE)) != buffer.Get())
        return SetText(text);
    buffer.Release();
    const CLocalMemory old(hOld);
    ViewTop();
    return true;
}

// Where a new text or buffer leaves the view and the caret, the box does
// not say.
void CEdit::ViewTop() const
{
    SetSel(0, 0);
    ScrollCaret();
}

bool CEdit::AppendText(const std::wstring& text) const
{
    const CSelection selection = GetSelection();
    const LRESULT nTopLine = Send(EM_GETFIRSTVISIBLELINE);
    const std::optional<int> nLeft = LeftOfLine(nTopLine);
    SetRedraw(false);
    const std::size_t nLength = GetTextLength();
    SetSel(nLength, nLength);
    ReplaceSel(text.c_str(), false);
    const bool bTaken = GetTextLength() == nLength + text.size();
    // Inserting moved the caret to the end and scrolled it into view: the
    // user's selection comes back, and the place: lines down, and across to
    // where the lines started.
    SetSel(selection.nAnchor, selection.nCaret);
    Send(EM_LINESCROLL, 0, nTopLine - Send(EM_GETFIRSTVISIBLELINE));
    if (nLeft)
        ScrollAcrossTo(nTopLine, *nLeft);
    SetRedraw(true);
    return bTaken;
}

// The scroll bar's position does not say where the view is across: a box
// scrolled by characters or to its caret may stand past the bar's range,
// as where the longest line just fits. So the place is where a line's
// first character is drawn, in pixels, and the view goes there by the
// scroll bar as far as the bar reaches (16 bits in the message), the rest of
// the way by characters, as the box scrolls past it. How wide a character
// EM_LINESCROLL counts, Microsoft leaves unsaid: first the font's average,
// then what the last scroll moved per character, while the line comes
// nearer (the scroll bar's units are taken as pixels likewise, measured
// after).
void CEdit::ScrollAcrossTo(LRESULT nLine, int nLeft) const
{
    const auto moved = [&] { return LeftOfLine(nLine).value_or(nLeft) - nLeft; };
    int nMoved = moved();
    if (nMoved == 0)
        return;
    const int nPos = std::clamp(ScrollPosAcross() + nMoved, 0, 0x7FFF);  // Wine: reads it signed
    Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, nPos));
    nMoved = moved();
    int nCharWidth = AverageCharWidth();
    for (int nTry = 0; nTry < 3 && nCharWidth > 0 && nMoved / nCharWidth != 0; ++nTry) {
        const int nChars = nMoved / nCharWidth;
        Send(EM_LINESCROLL, nChars, 0);
        const int nNowMoved = moved();
        if (std::abs(nNowMoved) >= std::abs(nMoved))
            return;
        nCharWidth = (nMoved - nNowMoved) / nChars;
        nMoved = nNowMoved;
    }
}

// The font's average character width in the box; 0 where it cannot be
// measured.
int CEdit::AverageCharWidth() const
{
    const CWindowDC dc(m_hWnd);
    if (dc.m_hDC == nullptr)
        return 0;
    // None: the box draws in the system font, which a new DC holds.
    const auto hFont = reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT));
    const HGDIOBJ hOldFont = hFont != nullptr ? ::SelectObject(dc.m_hDC, hFont) : nullptr;
    TEXTMETRICW metrics{};
    const bool bMeasured = ::GetTextMetricsW(dc.m_hDC, &metrics) != FALSE;
    if (hOldFont != nullptr)
        ::SelectObject(dc.m_hDC, hOldFont);
    return bMeasured ? metrics.tmAveCharWidth : 0;
}

void CEdit::DeleteWordBeforeCaret() const
{
    DWORD nStart = 0;
    DWORD nEnd = 0;
    GetSel(nStart, nEnd);
    if (nStart == nEnd)
        SetSel(WordStartBefore(Utf16Of(GetText()), nEnd), nEnd);
    ReplaceSel(L"", true);
}

void CEdit::GetSel(DWORD& nStart, DWORD& nEnd) const
{
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&nStart), reinterpret_cast<LPARAM>(&nEnd));
}

// EM_GETSEL orders the ends of a selection; the box tells which one is the
// caret's in other ways (CaretEnd.h).
CEdit::CSelection CEdit::GetSelection() const
{
    DWORD nStart = 0;
    DWORD nEnd = 0;
    GetSel(nStart, nEnd);
    CSelectionClues clues{nStart, nEnd, 0, 0, 0, 0, false};
    if (nStart != nEnd) {
        clues.nCaretIndex = static_cast<std::size_t>(Send(kGetCaretIndex));
        clues.nCaretLineStart = static_cast<std::size_t>(Send(EM_LINEINDEX, static_cast<WPARAM>(-1)));
        clues.nStartLineStart = LineStartOf(nStart);
        clues.nEndLineStart = LineStartOf(nEnd);
        clues.bCaretDrawnAtStart = clues.nStartLineStart == clues.nEndLineStart && IsCaretDrawnAt(nStart);
    }
    const std::size_t nCaret = CaretEndOfSelection(clues);
    return {nCaret == nStart ? nEnd : nStart, nCaret};
}

std::size_t CEdit::LineStartOf(std::size_t nChar) const
{
    return static_cast<std::size_t>(Send(EM_LINEINDEX, static_cast<WPARAM>(Send(EM_LINEFROMCHAR, nChar))));
}

// The box has a caret only while it has the focus, and draws it where its
// character is only on a line in view. A pixel either way: two characters
// are farther apart.
bool CEdit::IsCaretDrawnAt(std::size_t nChar) const
{
    POINT caret;
    RECT client;
    if (::GetFocus() != m_hWnd || !::GetCaretPos(&caret) || !::GetClientRect(m_hWnd, &client))
        return false;
    const LRESULT nPoint = Send(EM_POSFROMCHAR, nChar);
    const POINT at = {static_cast<short>(LOWORD(nPoint)), static_cast<short>(HIWORD(nPoint))};
    return ::PtInRect(&client, at) && std::abs(at.x - caret.x) <= 1 && at.y == caret.y;
}

std::optional<int> CEdit::LeftOfLine(LRESULT nLine) const
{
    const LRESULT nIndex = Send(EM_LINEINDEX, static_cast<WPARAM>(nLine));
    const LRESULT nPoint = nIndex >= 0 ? Send(EM_POSFROMCHAR, static_cast<WPARAM>(nIndex)) : -1;
    if (nPoint == -1)
        return std::nullopt;
    return static_cast<short>(LOWORD(nPoint));
}

int CEdit::ScrollPosAcross() const
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    return ::GetScrollInfo(m_hWnd, SB_HORZ, &info) ? info.nPos : 0;
}

void CEdit::ReplaceSel(const wchar_t* pszText, bool bCanUndo) const
{
    Send(EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(pszText));
}

void CEdit::SetRedraw(bool bRedraw) const
{
    Send(WM_SETREDRAW, bRedraw);
    if (bRedraw) {
        // The scroll bars lie in the frame, outside the client area; painted
        // now, not after the messages waiting.
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    }
}
