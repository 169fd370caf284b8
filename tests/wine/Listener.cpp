#include "tests/wine/Listener.h"

#include "tests/wine/ProgramWindow.h"

#include <objbase.h>
#include <oleacc.h>

#include <utility>

namespace {

// EVENT_OBJECT_LIVEREGIONCHANGED: WinUser.h from Windows 8 on.
constexpr DWORD kLiveRegionChanged = 0x8019;

CAnnouncementListener* g_pListener = nullptr;

std::string Utf8Of(BSTR bstr)
{
    return bstr ? BytesOf(std::wstring_view(bstr, ::SysStringLen(bstr)), CP_UTF8) : "";
}

void CALLBACK OnLiveRegionChanged(HWINEVENTHOOK, DWORD, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD)
{
    IAccessible* pAccessible = nullptr;
    VARIANT child{};
    BSTR name = nullptr;
    if (SUCCEEDED(::AccessibleObjectFromEvent(hWnd, idObject, idChild, &pAccessible, &child))) {
        pAccessible->get_accName(child, &name);
        pAccessible->Release();
    }
    g_pListener->Hear(name ? Utf8Of(name) : "(no name)", false);
    ::SysFreeString(name);
}

// UI Automation's client, of which this tool chain's headers have nothing:
// the identities and the places in the interfaces' tables that the
// listener calls, from UIAutomationClient.h of the Windows SDK.
const CLSID kClsidUIAutomation8 = {0xe22ad333, 0xb25f, 0x460c, {0x83, 0xd0, 0x05, 0x81, 0x10, 0x73, 0x95, 0xc9}};
const IID kIidUIAutomation5 = {0x25f700c8, 0xd816, 0x4057, {0xa9, 0xdc, 0x3c, 0xbd, 0xee, 0x77, 0xe2, 0x56}};
const IID kIidNotificationHandler = {0xc7cb2637, 0xe6c2, 0x4d0c, {0x85, 0xde, 0x49, 0x48, 0xc0, 0x21, 0x75, 0xc7}};
constexpr int kGetRootElement = 5;
constexpr int kElementFromHandle = 6;
constexpr int kRemoveAllEventHandlers = 41;
constexpr int kAddNotificationEventHandler = 68;
constexpr int kTreeScopeSubtree = 7;
constexpr int kGetCurrentPropertyValue = 10;  // of IUIAutomationElement
constexpr int kLiveSettingPropertyId = 30135;

template <class TMethod>
TMethod MethodOf(IUnknown* pObject, int nPlace)
{
    return reinterpret_cast<TMethod>((*reinterpret_cast<void***>(pObject))[nPlace]);
}

// IUIAutomationNotificationEventHandler.
class CNotificationHandler : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppObject) override
    {
        *ppObject = riid == __uuidof(IUnknown) || riid == kIidNotificationHandler ? this : nullptr;
        return *ppObject ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&m_nRefs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG nRefs = ::InterlockedDecrement(&m_nRefs);
        if (nRefs == 0)
            delete this;
        return nRefs;
    }
    virtual HRESULT STDMETHODCALLTYPE HandleNotificationEvent(IUnknown*, int, int, BSTR displayString, BSTR)
    {
        g_pListener->Hear(Utf8Of(displayString), true);
        return S_OK;
    }

private:
    virtual ~CNotificationHandler() = default;
    LONG m_nRefs = 1;
};

}  // namespace

CAnnouncementListener::CAnnouncementListener(DWORD dwProcessId)
    : m_hHook(::SetWinEventHook(kLiveRegionChanged, kLiveRegionChanged, nullptr, &OnLiveRegionChanged, dwProcessId, 0,
                                WINEVENT_OUTOFCONTEXT))
{
    g_pListener = this;
    if (FAILED(::CoCreateInstance(kClsidUIAutomation8, nullptr, CLSCTX_INPROC_SERVER, kIidUIAutomation5,
                                  reinterpret_cast<void**>(&m_pClient))))
        return;
    m_pHandler = new CNotificationHandler;
    // From the whole desktop: the program's windows, whichever it raises them from.
    IUnknown* pRoot = nullptr;
    using GetRoot = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, IUnknown**);
    using AddHandler = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, IUnknown*, int, IUnknown*, IUnknown*);
    if (SUCCEEDED(MethodOf<GetRoot>(m_pClient, kGetRootElement)(m_pClient, &pRoot))) {
        MethodOf<AddHandler>(m_pClient, kAddNotificationEventHandler)(m_pClient, pRoot, kTreeScopeSubtree, nullptr,
                                                                       m_pHandler);
        pRoot->Release();
    }
}

CAnnouncementListener::~CAnnouncementListener()
{
    if (m_pClient) {
        MethodOf<HRESULT(STDMETHODCALLTYPE*)(IUnknown*)>(m_pClient, kRemoveAllEventHandlers)(m_pClient);
        m_pHandler->Release();
        m_pClient->Release();
    }
    ::UnhookWinEvent(m_hHook);
    g_pListener = nullptr;
}

int CAnnouncementListener::LiveSettingOf(HWND hWnd) const
{
    using FromHandle = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, HWND, IUnknown**);
    using PropertyValue = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, int, VARIANT*);
    IUnknown* pElement = nullptr;
    if (m_pClient == nullptr || FAILED(MethodOf<FromHandle>(m_pClient, kElementFromHandle)(m_pClient, hWnd, &pElement)))
        return -1;
    VARIANT value{};
    MethodOf<PropertyValue>(pElement, kGetCurrentPropertyValue)(pElement, kLiveSettingPropertyId, &value);
    pElement->Release();
    return value.vt == VT_I4 ? value.lVal : -1;
}

void CAnnouncementListener::Hear(const std::string& words, bool bNotification)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_heard.push_back(words);
    m_nNotifications += bNotification;
}

std::vector<std::string> CAnnouncementListener::Heard(HWND hWnd, std::size_t nAtLeast)
{
    CProgramWindow::SendWithTimeout(hWnd, WM_NULL);
    WaitFor([&] {
        for (MSG msg; ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
            ::DispatchMessageW(&msg);
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_heard.size() >= nAtLeast;
    });
    const std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_heard, {});
}
