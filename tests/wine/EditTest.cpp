// The results box's setters in this process, on the kinds of box the system
// makes and on one that refuses a message, as a box without memory may:
// the box shows what was set on every path, no memory handed to it or
// refused by it is lost, and a part it does not take ends a fill as a full
// box does.

#include "framework/portable/BoxFullException.h"
#include "framework/window/EditFill.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

WNDPROC g_pfnEditProc = nullptr;

// Refuses the message kept in the box's user data, and takes the rest.
LRESULT CALLBACK RefusingEditProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == static_cast<UINT>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA)))
        return 0;
    return ::CallWindowProcW(g_pfnEditProc, hWnd, nMessage, wParam, lParam);
}

// An edit box of this process, gone with the object.
struct CTestBox {
    CTestBox(DWORD dwStyle, UINT nRefused)
    {
        edit.m_hWnd = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP | dwStyle, 0, 0, 300, 200, nullptr, nullptr,
                                        nullptr, nullptr);
        ::SetWindowLongPtrW(edit.m_hWnd, GWLP_USERDATA, nRefused);
        g_pfnEditProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(edit.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefusingEditProc)));
    }
    ~CTestBox() { ::DestroyWindow(edit.m_hWnd); }

    CEdit edit;
};

// The bytes in use in the process's heap, which LocalAlloc takes from: it
// calls HeapAlloc on the process's default heap (Microsoft's "Comparing
// Memory Allocation Methods"), as Wine's does.
long long HeapBytesInUse()
{
    const HANDLE hHeap = ::GetProcessHeap();
    ::HeapLock(hHeap);
    long long nBytes = 0;
    PROCESS_HEAP_ENTRY entry{};
    while (::HeapWalk(hHeap, &entry))
        nBytes += (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ? entry.cbData : 0;
    if (::GetLastError() != ERROR_NO_MORE_ITEMS)
        ADD_FAILURE() << "the heap was not walked whole";
    ::HeapUnlock(hHeap);
    return nBytes;
}

}  // namespace

TEST(ResultsBox, ShowsWhatWasSetOnEveryPathAndLosesNoMemory)
{
    const struct {
        const char* name;
        DWORD dwStyle;
        UINT nRefused;
    } boxes[] = {
        {"single-line", ES_AUTOHSCROLL, 0},
        {"multi-line", ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_READONLY, 0},
        {"multi-line, refusing a buffer", ES_MULTILINE | ES_READONLY, EM_SETHANDLE},
    };
    for (const auto& b : boxes) {
        CTestBox box(b.dwStyle, b.nRefused);
        const long long nBefore = HeapBytesInUse();
        for (int i = 0; i < 20; ++i) {
            std::wstring text;
            for (int nLine = 0; i % 3 != 2 && nLine < 10000; ++nLine)
                text += L"Line " + std::to_wstring(nLine + i) + (b.dwStyle & ES_MULTILINE ? L"\r\n" : L" ");
            const bool bSet = i % 2 ? box.edit.SetText(text) : box.edit.SetLargeText(text, 8 * text.size());
            ASSERT_TRUE(bSet && box.edit.GetText() == text) << b.name << ", set " << i;
        }
        EXPECT_LT(HeapBytesInUse() - nBefore, 8 << 20) << b.name << ": the old or the refused buffers are lost";
    }
    // A part the box does not take ends the fill as a full box does.
    CTestBox box(ES_MULTILINE | ES_READONLY, EM_REPLACESEL);
    EXPECT_FALSE(box.edit.AppendText(L"refused"));
    CEditFill fill(box.edit);
    CString strText;
    for (int nLine = 0; nLine < 20000; ++nLine)
        strText += "A line of the results\r\n";
    fill.Start(strText, CP_ACP);
    EXPECT_FALSE(box.edit.GetText().empty()) << "the first part is set whole, not added";
    // Its own schedule's waits: the first part stands alone for a moment.
    EXPECT_THROW(
        for (DWORD dwWait = 0; dwWait != INFINITE; dwWait = fill.OnIdle()) ::Sleep(dwWait), CBoxFullException);
    EXPECT_EQ(box.edit.GetText(), L"") << "a result cut short is shown";
}
