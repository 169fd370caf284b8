#pragma once

#include "framework/window/Edit.h"

#include <windows.h>

// What a dialog's DoDataExchange works on: the dialog window whose controls
// are bound to wrappers.
class CDataExchange {
public:
    explicit CDataExchange(HWND hDialog) : m_hDialog(hDialog) {}
    HWND m_hDialog;
};

// Binds the wrapper to the control of that id.
inline void DDX_Control(CDataExchange* pDX, int nIDC, CEdit& edit)
{
    edit.m_hWnd = ::GetDlgItem(pDX->m_hDialog, nIDC);
}
