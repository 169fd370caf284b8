#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

// An edit control of a dialog; the dialog owns the window. Its text and
// every position in it are UTF-16 units, as a Unicode box holds and counts
// them (Dialog.h); 8-bit text is converted where it comes and goes.
class CEdit {
public:
    std::wstring GetText() const;
    std::size_t GetTextLength() const;
    // Sets the whole text, with the view and the caret at its top; false
    // when the box has no room for it.
    bool SetText(const std::wstring& text) const;
    // Sets a large text, with the view and the caret at its top, laid out
    // before it is drawn once. A multi-line Unicode box is handed a new
    // buffer holding the text, with room for nRoomChars characters in all,
    // so that text added later up to that size need not move it; its old
    // buffer is freed. A box that takes no buffer gets the text through
    // SetText.
    bool SetLargeText(const std::wstring& text, std::size_t nRoomChars) const;
    // Adds text at the end of a multi-line box, laid out the same way; the
    // view, the caret, the selection and its direction stay where they are.
    // False when the box did not take all of it (it may also say so with
    // EN_ERRSPACE).
    bool AppendText(const std::wstring& text) const;
    // Ctrl+Backspace: deletes the selection, or else the word before the
    // caret (WordBreak.h). The box reports the change as any other.
    void DeleteWordBeforeCaret() const;
    // 0: as much as the box can hold.
    void SetLimitText(UINT nMaxChars) const { Send(EM_SETLIMITTEXT, nMaxChars); }
    // nAnchor is where a selection was started, nCaret its end that moves.
    void SetSel(std::size_t nAnchor, std::size_t nCaret) const { Send(EM_SETSEL, nAnchor, nCaret); }
    void ScrollCaret() const { Send(EM_SCROLLCARET); }
    void SetFocus() const { ::SetFocus(m_hWnd); }

    HWND m_hWnd = nullptr;

private:
    struct CSelection {
        std::size_t nAnchor;
        std::size_t nCaret;
    };

    LRESULT Send(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, nMessage, wParam, lParam);
    }
    void GetSel(DWORD& nStart, DWORD& nEnd) const;
    CSelection GetSelection() const;
    std::size_t LineStartOf(std::size_t nChar) const;
    bool IsCaretDrawnAt(std::size_t nChar) const;
    // Where the line's first character is drawn across, in pixels; none for
    // a line without one (the empty line after the last line end).
    std::optional<int> LeftOfLine(LRESULT nLine) const;
    void ScrollAcrossTo(LRESULT nLine, int nLeft) const;
    int AverageCharWidth() const;
    int ScrollPosAcross() const;
    bool SetTextInNewBuffer(const std::wstring& text, std::size_t nRoomChars) const;
    void ViewTop() const;
    void ReplaceSel(const wchar_t* pszText, bool bCanUndo) const;
    void SetRedraw(bool bRedraw) const;
};
