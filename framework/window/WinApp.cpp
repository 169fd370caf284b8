#include "framework/window/WinApp.h"

#include "framework/window/ComApartment.h"
#include "framework/window/ErrorReport.h"

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

HINSTANCE AfxGetResourceHandle()
{
    return g_pApp->m_hInstance;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    g_pApp->m_hInstance = hInstance;
    const CComApartment com;
    // The modal dialog inside InitInstance is the program's whole life;
    // there is no message pump after it, whatever it returns. Its loop
    // reports what its handlers let go; this is the last guard.
    try {
        g_pApp->InitInstance();
    } catch (...) {
        ReportCurrentException(nullptr);
        return 1;
    }
    // A loop that the last guard ended left its quit message, with the
    // status to exit with.
    MSG msg;
    if (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return static_cast<int>(msg.wParam);
    return 0;
}
