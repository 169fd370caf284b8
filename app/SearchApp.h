#pragma once

#include "framework/window/WinApp.h"

// The program: it runs the search dialog and ends when the dialog closes.
class CSearchApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
