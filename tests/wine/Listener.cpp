#include "tests/wine/Listener.h"

#include "framework/window/ComObject.h"
#include "tests/wine/ProgramWindow.h"

#include <objbase.h>
#include <oleacc.h>

#include <utility>

namespace {

// EVENT_OBJECT_LIVEREGIONCHANGED: WinUser.h from Windows 8 on.
constexpr DWORD kLiveRegionChanged = 0x8019;

CAnnouncementListener* g_pListener = nullptr;

void CALLBACK OnLiveRegionChanged(HWINEVENTHOOK, DWORD, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD)
{
    g_pListener->Hear(AccessibleNameOf(hWnd, idObject, idChild), false);
}

// UI Automation's client, of which this tool chain's headers have nothing:
// what the listener calls, with the places of the calls in the interfaces'
// tables, from UIAutomationClient.h of the Windows SDK.
const CLSID kClsidUIAutomation8 = {0xe22ad333, 0xb25f, 0x460c, {0x83, 0xd0, 0x05, 0x81, 0x10, 0x73, 0x95, 0xc9}};
const IID kIidUIAutomation5 = {0x25f700c8, 0xd816, 0x4057, {0xa9, 0xdc, 0x3c, 0xbd, 0xee, 0x77, 0xe2, 0x56}};
constexpr int kElementFromHandle = 6;
constexpr int kRemoveAllEventHandlers = 41;
constexpr int kAddNotificationEventHandler = 68;
constexpr int kTreeScopeSubtree = 7;

template <class... TArgs>
HRESULT Call(IUnknown* pObject, int nPlace, TArgs... args)
{
    using Method = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, TArgs...);
    return reinterpret_cast<Method>((*reinterpret_cast<void***>(pObject))[nPlace])(pObject, args...);
}

struct INotificationHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE HandleNotificationEvent(IUnknown* pSender, int nKind, int nProcessing,
                                                              BSTR displayString, BSTR activityId) = 0;
};

}  // namespace

__CRT_UUID_DECL(INotificationHandler, 0xc7cb2637, 0xe6c2, 0x4d0c, 0x85, 0xde, 0x49, 0x48, 0xc0, 0x21, 0x75, 0xc7)

namespace {

class CNotificationHandler final : public CComObject<INotificationHandler> {
public:
    // One of a search done that replaces one not yet spoken (ActionCompleted,
    // MostRecent) counts as a notification.
    HRESULT STDMETHODCALLTYPE HandleNotificationEvent(IUnknown*, int nKind, int nProcessing, BSTR displayString,
                                                      BSTR) override
    {
        g_pListener->Hear(BytesOf(std::wstring_view(displayString, ::SysStringLen(displayString)), CP_UTF8),
                          nKind == 2 && nProcessing == 3);
        return S_OK;
    }
};

}  // namespace

std::string AccessibleNameOf(HWND hWnd, LONG idObject, LONG idChild)
{
    CComPtr<IAccessible> accessible;
    VARIANT child{};
    BSTR name = nullptr;
    if (SUCCEEDED(::AccessibleObjectFromEvent(hWnd, idObject, idChild, accessible.Put(), &child)))
        accessible->get_accName(child, &name);
    const std::string utf8 = name ? BytesOf(std::wstring_view(name, ::SysStringLen(name)), CP_UTF8) : "(no name)";
    ::SysFreeString(name);
    return utf8;
}

CAnnouncementListener::CAnnouncementListener(const CProgramWindow& program)
    : m_hDialog(program.Dialog()),
      m_hHook(::SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, &OnLiveRegionChanged,
                                program.ProcessId(), 0, WINEVENT_OUTOFCONTEXT))
{
    g_pListener = this;
    CComPtr<IUnknown> window;  // the notifications of its window and all within, no other program's
    if (FAILED(::CoCreateInstance(kClsidUIAutomation8, nullptr, CLSCTX_INPROC_SERVER, kIidUIAutomation5,
                                  reinterpret_cast<void**>(m_client.Put()))) ||
        FAILED(Call(m_client.Get(), kElementFromHandle, m_hDialog, window.Put()))) {
        m_client.Reset();
        return;
    }
    const CComPtr<CNotificationHandler> handler = MakeComObject<CNotificationHandler>();
    Call(m_client.Get(), kAddNotificationEventHandler, window.Get(), kTreeScopeSubtree, static_cast<IUnknown*>(nullptr),
         static_cast<IUnknown*>(handler.Get()));
}

CAnnouncementListener::~CAnnouncementListener()
{
    if (m_client)
        Call(m_client.Get(), kRemoveAllEventHandlers);
    ::UnhookWinEvent(m_hHook);
    g_pListener = nullptr;
}

void CAnnouncementListener::Hear(const std::string& words, bool bNotification)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_heard.push_back(words);
    m_nNotifications += bNotification;
}

std::size_t CAnnouncementListener::Notifications()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_nNotifications;
}

std::vector<std::string> CAnnouncementListener::Heard(std::size_t nAtLeast)
{
    CProgramWindow::SendWithTimeout(m_hDialog, WM_NULL);
    WaitFor([&] {
        for (MSG msg; ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
            ::DispatchMessageW(&msg);
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_heard.size() >= nAtLeast;
    });
    const std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_heard, {});
}
