#pragma once

#include <windows.h>

// The application object: one global instance of a class derived from
// CWinApp, constructed before WinMain; WinMain calls its InitInstance.
class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // The program's whole life; false ends the program.
    virtual BOOL InitInstance() = 0;

    HINSTANCE m_hInstance = nullptr;
};

// The module whose resources the program loads.
HINSTANCE AfxGetResourceHandle();
