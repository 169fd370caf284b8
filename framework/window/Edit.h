#pragma once

#include "framework/portable/String.h"

#include <windows.h>

#include <functional>

// An edit control of a dialog; the dialog owns the window.
class CEdit {
public:
    CString GetWindowText() const;
    // A text set in one piece, without redrawing on the way.
    void SetWindowText(const CString& strText) const;
    // Sets a text too large to lay out at once in steps of whole lines.
    // Between steps keepGoing runs, and may end the fill by returning false.
    // The view ends at the top, as after SetWindowText.
    void SetWindowTextInSteps(const CString& strText, const std::function<bool()>& keepGoing) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetSel(int nStart, int nEnd) const { ::SendMessageA(m_hWnd, EM_SETSEL, nStart, nEnd); }
    void ScrollCaret() const { ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0); }
    void SetFocus() const { ::SetFocus(m_hWnd); }

    HWND m_hWnd = nullptr;
};
