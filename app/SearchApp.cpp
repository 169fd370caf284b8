#include "app/SearchApp.h"

#include "ui/SearchDlg.h"

CSearchApp theApp;

BOOL CSearchApp::InitInstance()
{
    CSearchDlg dlg;
    dlg.DoModal();
    return FALSE;  // the dialog was the program
}
