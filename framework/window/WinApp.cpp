#include "framework/window/WinApp.h"

#include <mbctype.h>

namespace {

CWinApp* g_pApp = nullptr;

}  // namespace

CWinApp::CWinApp()
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

HINSTANCE AfxGetResourceHandle()
{
    return g_pApp->m_hInstance;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    // Path texts are searched by character of the ANSI code page.
    _setmbcp(_MB_CP_ANSI);
    g_pApp->m_hInstance = hInstance;
    // The modal dialog inside InitInstance is the program's whole life;
    // there is no message pump after it, whatever it returns.
    g_pApp->InitInstance();
    return 0;
}
