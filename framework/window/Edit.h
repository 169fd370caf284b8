#pragma once

#include "framework/portable/LeadBytes.h"
#include "framework/portable/String.h"

#include <windows.h>

// An edit control of a dialog; the dialog owns the window.
class CEdit {
public:
    CString GetWindowText() const;
    // A text set whole, laid out before it is drawn once; the view and the
    // caret go to the top. False when the box had no room for it.
    bool SetWindowText(const CString& strText) const;
    // Adds text at the end, laid out the same way; the view, the caret and
    // the selection stay where they are. A box without room for it tells its
    // parent (EN_ERRSPACE, EN_MAXTEXT).
    void AppendText(const CString& strText) const;
    // Ctrl+Backspace: deletes the selection, or else the word before the
    // caret (WordBreak.h). The box reports the change as any other.
    void DeleteWordBeforeCaret(const CLeadBytes& leadBytes) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetSel(DWORD nStart, DWORD nEnd) const { ::SendMessageA(m_hWnd, EM_SETSEL, nStart, nEnd); }
    void ScrollCaret() const { ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0); }
    void SetFocus() const { ::SetFocus(m_hWnd); }

    HWND m_hWnd = nullptr;

private:
    void GetSel(DWORD& nStart, DWORD& nEnd) const;
    void ReplaceSel(const char* pszText, bool bCanUndo) const;
    void SetRedraw(bool bRedraw) const;
};
