// A program on the window framework whose dialog meets a fault it cannot
// recover from, for the window test of the last guard: the fault is
// reported once, the program closes, and its exit status says it failed.

#include "framework/window/Dialog.h"
#include "framework/window/WinApp.h"

#include <stdexcept>

namespace {

class CFaultDlg : public CDialog {
public:
    CFaultDlg() : CDialog(1, nullptr) {}

protected:
    BOOL OnInitDialog() override { throw std::logic_error("a fault the test made"); }
};

class CFaultApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        CFaultDlg dlg;
        dlg.DoModal();
        return FALSE;
    }
};

CFaultApp theApp;

}  // namespace
