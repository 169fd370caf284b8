// A program on the window framework whose dialog meets a fault it cannot
// recover from, for the window test of the loop's last guard: the fault is
// reported once, the program closes, and its exit status says it failed.

#include "framework/window/Dialog.h"
#include "framework/window/WinApp.h"

#include <iterator>
#include <stdexcept>

namespace {

constexpr UINT WM_FAULT = WM_APP;

class CFaultDlg : public CDialog {
public:
    CFaultDlg() : CDialog(1, nullptr) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ::PostMessageA(m_hWnd, WM_FAULT, 0, 0);  // a fault in the loop, not in the dialog's making
        return TRUE;
    }
    const MessageMap* GetMessageMap() const override { return &s_messageMap; }

private:
    void OnFault() { throw std::logic_error("a fault the test made"); }

    static const MessageMapEntry s_messageEntries[];
    static const MessageMap s_messageMap;
};

const MessageMapEntry CFaultDlg::s_messageEntries[] = {
    {WM_FAULT, 0, 0, &MemberHandler<CFaultDlg, &CFaultDlg::OnFault>},
};
const MessageMap CFaultDlg::s_messageMap = {&CDialog::s_messageMap, s_messageEntries, std::size(s_messageEntries)};

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
