#pragma once

#include <windows.h>

#include <cstddef>

class CDialog;

// What a handler did with its message: handled, with the result the message
// asks for, or left to the standard processing of the dialog.
struct HandlerResult {
    bool bHandled;
    LRESULT lResult;
};

constexpr HandlerResult kLeftToDefault{false, 0};
constexpr HandlerResult Handled(LRESULT lResult = 0)
{
    return {true, lResult};
}

// A message handler as the dialog's window procedure calls it.
using MessageHandler = HandlerResult (*)(CDialog& dlg, WPARAM wParam, LPARAM lParam);

// One row of a dialog's static message map: the message and, for
// WM_COMMAND, the notification code and control id that select the handler.
struct MessageMapEntry {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    MessageHandler pfnHandler;
};

// A dialog class's map, with a link to its base class's map.
struct MessageMap {
    const MessageMap* pBaseMap;
    const MessageMapEntry* pEntries;
    std::size_t nEntries;
};

// The adapters that turn member handlers of the shapes the program uses into
// the function of a map row: &MemberHandler<CMyDlg, &CMyDlg::OnPaint>. A
// handler without a result always handles its message.
template <class TDialog, void (TDialog::*pfnHandler)()>
HandlerResult MemberHandler(CDialog& dlg, WPARAM, LPARAM)
{
    (static_cast<TDialog&>(dlg).*pfnHandler)();
    return Handled();
}

template <class TDialog, HandlerResult (TDialog::*pfnHandler)()>
HandlerResult MemberHandler(CDialog& dlg, WPARAM, LPARAM)
{
    return (static_cast<TDialog&>(dlg).*pfnHandler)();
}

template <class TDialog, HandlerResult (TDialog::*pfnHandler)(UINT_PTR)>
HandlerResult MemberHandler(CDialog& dlg, WPARAM wParam, LPARAM)
{
    return (static_cast<TDialog&>(dlg).*pfnHandler)(wParam);
}

template <class TDialog, HandlerResult (TDialog::*pfnHandler)(UINT, LPARAM)>
HandlerResult MemberHandler(CDialog& dlg, WPARAM wParam, LPARAM lParam)
{
    return (static_cast<TDialog&>(dlg).*pfnHandler)(static_cast<UINT>(wParam), lParam);
}

template <class TDialog, HCURSOR (TDialog::*pfnHandler)()>
HandlerResult MemberHandler(CDialog& dlg, WPARAM, LPARAM)
{
    return Handled(reinterpret_cast<LRESULT>((static_cast<TDialog&>(dlg).*pfnHandler)()));
}
