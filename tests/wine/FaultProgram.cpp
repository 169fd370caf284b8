// A program on the window framework that meets a fault where its command
// line says, for the window test of the loop's guard: in the application
// ("app"), in the making of its dialog ("init"), in the handler of a
// message (WM_APP, "message"), in the pre-filter ("filter") or in the idle
// turn after that message ("idle"). A second word "file" or "memory" makes
// the fault a file error or a lack of memory, which the program reports
// and survives; "int", a fault that is no exception of the library.

#include "framework/portable/FileException.h"
#include "framework/window/Dialog.h"
#include "framework/window/WinApp.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

void FailIn(const char* pszWhere)
{
    if (__argc < 2 || std::strcmp(__argv[1], pszWhere) != 0)
        return;
    if (__argc > 2 && std::strcmp(__argv[2], "file") == 0)
        throw CFileException("C:\\fault.txt", "A fault the test made");
    if (__argc > 2 && std::strcmp(__argv[2], "memory") == 0)
        throw std::bad_alloc();
    if (__argc > 2 && std::strcmp(__argv[2], "int") == 0)
        throw 42;
    throw std::logic_error("a fault the test made");
}

class CFaultDlg : public CDialog {
public:
    CFaultDlg() : CDialog(1, nullptr) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        FailIn("init");
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_APP)
            FailIn("filter");
        return CDialog::PreTranslateMessage(pMsg);
    }
    DWORD OnIdle() override
    {
        if (std::exchange(m_bMessageCame, false))
            FailIn("idle");
        return INFINITE;
    }
    const MessageMap* GetMessageMap() const override { return &s_messageMap; }

private:
    void OnApp()
    {
        m_bMessageCame = true;
        FailIn("message");
    }

    static const MessageMapEntry s_messageEntries[];
    static const MessageMap s_messageMap;
    bool m_bMessageCame = false;
};

const MessageMapEntry CFaultDlg::s_messageEntries[] = {{WM_APP, 0, 0, &MemberHandler<CFaultDlg, &CFaultDlg::OnApp>}};
const MessageMap CFaultDlg::s_messageMap = {&CDialog::s_messageMap, s_messageEntries, 1};

class CFaultApp : public CWinApp {
    BOOL InitInstance() override
    {
        FailIn("app");
        CFaultDlg().DoModal();
        return FALSE;
    }
};

CFaultApp theApp;

}  // namespace
