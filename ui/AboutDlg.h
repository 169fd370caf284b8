#pragma once

#include "framework/window/Dialog.h"
#include "res/resource.h"

// The About box: its template says it all; OK and Escape close it.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HWND hParent) : CDialog(IDD_ABOUTBOX, hParent) {}
};
