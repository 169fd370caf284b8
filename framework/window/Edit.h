#pragma once

#include "framework/portable/String.h"

#include <windows.h>

// An edit control of a dialog; the dialog owns the window.
class CEdit {
public:
    CString GetWindowText() const;
    // A text set in one piece, laid out before it is drawn once.
    void SetWindowText(const CString& strText) const;
    // Adds text at the end, laid out the same way; the caret and the view
    // stay at the top.
    void AppendText(const char* pszText) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetSel(int nStart, int nEnd) const { ::SendMessageA(m_hWnd, EM_SETSEL, nStart, nEnd); }
    void ScrollCaret() const { ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0); }
    void SetFocus() const { ::SetFocus(m_hWnd); }

    HWND m_hWnd = nullptr;

private:
    void Redraw() const;
};
