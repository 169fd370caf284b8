// The system menu, read inside the process that owns it: Wine shares no
// menu handles between processes. The dialog runs modally on the test's
// thread; a thread timer, dispatched by the dialog's own loop, reads the menu
// once the window shows and then closes it.

#include "framework/window/WinApp.h"
#include "ui/SearchDlg.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CTestApp : public CWinApp {
public:
    BOOL InitInstance() override { return FALSE; }
} theTestApp;

std::string g_strLastItems;

// The last two entries of the menu, as "separator, TEXT ID".
std::string LastTwoItems(HMENU hMenu)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    if (nCount < 2)
        return "fewer than two entries";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoA(hMenu, nCount - 2, TRUE, &info);
    char szItem[64] = "";
    ::GetMenuStringA(hMenu, nCount - 1, szItem, sizeof szItem, MF_BYPOSITION);
    return std::string(info.fType & MFT_SEPARATOR ? "separator" : "item") + ", " + szItem + " " +
           std::to_string(::GetMenuItemID(hMenu, nCount - 1));
}

void CALLBACK ReadMenuAndClose(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    const HWND hMain = ::FindWindowA(nullptr, "Norvane Search");
    if (hMain == nullptr || !::IsWindowVisible(hMain))
        return;
    ::KillTimer(nullptr, nIDEvent);
    g_strLastItems = LastTwoItems(::GetSystemMenu(hMain, FALSE));
    ::PostMessageA(hMain, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace

TEST(SystemMenu, EndsWithASeparatorAndTheAboutEntry)
{
    theTestApp.m_hInstance = ::GetModuleHandleA(nullptr);
    ::SetTimer(nullptr, 0, 50, ReadMenuAndClose);
    CSearchDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(g_strLastItems, "separator, &About Norvane... 16");
}
