#include "framework/window/Resources.h"

#include "framework/window/WinApp.h"

CString LoadResourceString(UINT nID)
{
    char szText[256];
    return CString(szText, ::LoadStringA(AfxGetResourceHandle(), nID, szText, sizeof szText));
}

HICON LoadResourceIcon(UINT nID)
{
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID));
}
