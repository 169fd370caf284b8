#pragma once

#include "framework/window/DataExchange.h"
#include "framework/window/Menu.h"
#include "framework/window/MessageMap.h"

#include <windows.h>

#include <string>

// A dialog made from a resource template and run modally in its own message
// loop. Every queued message passes PreTranslateMessage before it is
// dispatched; window messages go to the handlers of the class's static
// message map, the rest to the standard dialog processing. When no message
// waits, the loop gives OnIdle a turn. An exception that leaves a handler,
// the pre-filter or an idle turn is reported in a message box, once: after a
// file error or a lack of memory the dialog carries on, after anything else
// the program closes. The dialog, its controls and its loop are Unicode
// windows and calls: an edit box then holds and counts UTF-16 whatever the
// system and its version of the controls, and takes every letter typed.
class CDialog {
public:
    CDialog(UINT nIDTemplate, HWND hParent);
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;
    virtual ~CDialog() = default;

    INT_PTR DoModal();
    void EndDialog(int nResult);

    HWND m_hWnd = nullptr;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // True when the message was consumed and is not to be dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Binds the controls and centres the dialog over its owner (or the
    // screen). True lets the dialog give the focus to its first control.
    virtual BOOL OnInitDialog();
    virtual const MessageMap* GetMessageMap() const { return &s_messageMap; }
    // A step of work between messages; returns how long the loop may wait
    // for a message before the next turn: 0 for none, INFINITE while there
    // is nothing to do.
    virtual DWORD OnIdle() { return INFINITE; }

    void OnOK() { EndDialog(IDOK); }
    void OnCancel() { EndDialog(IDCANCEL); }

    CMenu GetSystemMenu() const { return CMenu(::GetSystemMenu(m_hWnd, FALSE)); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    LRESULT SendMessage(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, nMessage, wParam, lParam);
    }
    void SetTimer(UINT_PTR nIDEvent, UINT nElapse) const { ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr); }
    std::wstring WindowText() const;
    void SetWindowText(const std::wstring& text) const { ::SetWindowTextW(m_hWnd, text.c_str()); }
    void KillTimer(UINT_PTR nIDEvent) const { ::KillTimer(m_hWnd, nIDEvent); }

    static const MessageMap s_messageMap;

private:
    static const MessageMapEntry s_messageEntries[];
    void RunMessageLoop();
    DWORD IdleTurn();
    void ReportFailure() const;
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT nMessage, WPARAM wParam, LPARAM lParam);
    const MessageMapEntry* FindHandler(UINT nMessage, WPARAM wParam) const;
    void CenterWindow() const;

    UINT m_nIDTemplate;
    HWND m_hParent;
    bool m_bInModalLoop = false;
    int m_nModalResult = IDCANCEL;
};
