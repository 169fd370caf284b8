#pragma once

#include "framework/portable/LeadBytes.h"
#include "framework/portable/String.h"

#include <windows.h>

#include <cstddef>

// An edit control of a dialog; the dialog owns the window.
class CEdit {
public:
    CString GetWindowText() const;
    // A text set whole, laid out before it is drawn once; the view and the
    // caret go to the top. False when the box had no room for it.
    bool SetWindowText(const CString& strText) const;
    // Sets the text of a multi-line box as SetWindowText does, by handing it
    // a new buffer with the text and room for nChars characters in all: the
    // old buffer is freed at once, where replacing its text would copy it
    // first, and text added later up to that size is never moved and copied
    // as the box grows. False, and nothing changed, without the memory.
    bool SetTextInNewBuffer(const CString& strText, std::size_t nChars) const;
    // Adds text at the end of a multi-line box, laid out the same way; the
    // view, the caret, the selection and its direction stay where they are.
    // A box without room for it tells its parent (EN_ERRSPACE, EN_MAXTEXT).
    void AppendText(const CString& strText) const;
    // Ctrl+Backspace: deletes the selection, or else the word before the
    // caret (WordBreak.h). The box reports the change as any other.
    void DeleteWordBeforeCaret(const CLeadBytes& leadBytes) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    // 0: as much as the box can hold.
    void SetLimitText(UINT nMaxChars) const { ::SendMessageA(m_hWnd, EM_SETLIMITTEXT, nMaxChars, 0); }
    // nAnchor is where a selection was started, nCaret its end that moves.
    void SetSel(DWORD nAnchor, DWORD nCaret) const { ::SendMessageA(m_hWnd, EM_SETSEL, nAnchor, nCaret); }
    void ScrollCaret() const { ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0); }
    void SetFocus() const { ::SetFocus(m_hWnd); }

    HWND m_hWnd = nullptr;

private:
    void GetSel(DWORD& nStart, DWORD& nEnd) const;
    DWORD CaretEndOfSelection(DWORD nStart, DWORD nEnd) const;
    int LeftOfText() const;
    int AverageCharWidth() const;
    void ReplaceSel(const char* pszText, bool bCanUndo) const;
    void SetRedraw(bool bRedraw) const;
};
