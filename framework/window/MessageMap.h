#pragma once

#include <windows.h>

#include <cstddef>

class CDialog;

// A message handler as the dialog's window procedure calls it.
using MessageHandler = LRESULT (*)(CDialog& dlg, WPARAM wParam, LPARAM lParam);

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

// The adapters from member handlers of the shapes the program uses. Write
// &OnMessage<CMyDlg, &CMyDlg::OnPaint> in a map row.
template <class TDialog, void (TDialog::*Handler)()>
LRESULT OnMessage(CDialog& dlg, WPARAM, LPARAM)
{
    (static_cast<TDialog&>(dlg).*Handler)();
    return 0;
}

template <class TDialog, void (TDialog::*Handler)(UINT_PTR)>
LRESULT OnMessage(CDialog& dlg, WPARAM wParam, LPARAM)
{
    (static_cast<TDialog&>(dlg).*Handler)(wParam);
    return 0;
}

template <class TDialog, void (TDialog::*Handler)(UINT, LPARAM)>
LRESULT OnMessage(CDialog& dlg, WPARAM wParam, LPARAM lParam)
{
    (static_cast<TDialog&>(dlg).*Handler)(static_cast<UINT>(wParam), lParam);
    return 0;
}

template <class TDialog, HCURSOR (TDialog::*Handler)()>
LRESULT OnMessage(CDialog& dlg, WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>((static_cast<TDialog&>(dlg).*Handler)());
}
