#include "framework/window/Announcer.h"

#include "framework/window/ComObject.h"

#include <oleauto.h>
#include <uiautomationcore.h>


namespace {

// EVENT_OBJECT_LIVEREGIONCHANGED: WinUser.h from Windows 8 on.
constexpr DWORD kLiveRegionChanged = 0x8019;
// NotificationKind_ActionCompleted and NotificationProcessing_MostRecent,
// UIAutomationCore.h from Windows 10 1709 on: a search is done, and its
// announcement replaces one not yet spoken.
constexpr int kActionCompleted = 2;
constexpr int kMostRecent = 3;
// Names the kind of notification for those who filter them; never spoken.
const wchar_t kActivity[] = L"Norvane.SearchResults";

using RaiseNotification = HRESULT(WINAPI*)(IRawElementProviderSimple*, int, int, BSTR, BSTR);
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using ClientsAreListening = BOOL(WINAPI*)();
using DisconnectProvider = HRESULT(WINAPI*)(IRawElementProviderSimple*);

// A function of the library, of the type it is documented with; nullptr
// where the library has none of that name.
template <class TFunction>
TFunction FunctionOf(HMODULE hModule, const char* pszName)
{
    return reinterpret_cast<TFunction>(reinterpret_cast<void*>(::GetProcAddress(hModule, pszName)));
}

// UI Automation's calls for notifications, from the system's own library,
// where it has them. The library stays for the process's life, as UI
// Automation runs threads of its own in it.
struct CNotificationCalls {
    RaiseNotification pfnRaise = nullptr;
    HostProviderFromHwnd pfnHostProvider = nullptr;
    ClientsAreListening pfnClientsAreListening = nullptr;
    DisconnectProvider pfnDisconnectProvider = nullptr;  // Windows 8 on

    bool Exist() const { return pfnRaise && pfnHostProvider && pfnClientsAreListening; }
};

const CNotificationCalls& NotificationCalls()
{
    static const CNotificationCalls s_calls = [] {
        CNotificationCalls calls;
        wchar_t szSystem[MAX_PATH];
        const UINT nLength = ::GetSystemDirectoryW(szSystem, MAX_PATH);
        if (nLength == 0 || nLength >= MAX_PATH)
            return calls;
        const std::wstring path = std::wstring(szSystem, nLength) + L"\\UIAutomationCore.dll";
        if (const HMODULE hModule = ::LoadLibraryW(path.c_str())) {
            calls.pfnRaise = FunctionOf<RaiseNotification>(hModule, "UiaRaiseNotificationEvent");
            calls.pfnHostProvider = FunctionOf<HostProviderFromHwnd>(hModule, "UiaHostProviderFromHwnd");
            calls.pfnClientsAreListening = FunctionOf<ClientsAreListening>(hModule, "UiaClientsAreListening");
            calls.pfnDisconnectProvider = FunctionOf<DisconnectProvider>(hModule, "UiaDisconnectProvider");
        }
        return calls;
    }();
    return s_calls;
}

// The element the notifications come from: one of the program's own on the
// source window, as only such a provider can raise events. Readers meet it
// only in its notifications, never through WM_GETOBJECT, so that they go on
// taking the window's controls from Active Accessibility. Its window is a
// child: what UiaRaiseNotificationEvent asks of a WS_POPUP window (the Window
// pattern and WM_GETOBJECT) is not asked of it.
class CNotificationSource final : public CComObject<IRawElementProviderSimple> {
public:
    CNotificationSource(HWND hWnd, HostProviderFromHwnd pfnHostProvider)
        : CComObject(__uuidof(IRawElementProviderSimple)), m_hWnd(hWnd), m_pfnHostProvider(pfnHostProvider)
    {
    }

    // Called on the thread of the window, which runs COM's single-threaded
    // apartment.
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* pOptions) override
    {
        *pOptions = static_cast<ProviderOptions>(ProviderOptions_ServerSideProvider | ProviderOptions_UseComThreading);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** ppPattern) override
    {
        *ppPattern = nullptr;
        return S_OK;
    }
    // All it is, the window's own element says.
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT* pValue) override
    {
        pValue->vt = VT_EMPTY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** ppHost) override
    {
        return m_pfnHostProvider(m_hWnd, ppHost);
    }

private:
    const HWND m_hWnd;
    const HostProviderFromHwnd m_pfnHostProvider;
};

// A string as COM passes it, freed with the object.
class CBstr {
public:
    explicit CBstr(const wchar_t* psz) : m_bstr(::SysAllocString(psz)) {}
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    ~CBstr() { ::SysFreeString(m_bstr); }

    operator BSTR() const { return m_bstr; }

private:
    BSTR m_bstr;
};

}  // namespace

CAnnouncer::~CAnnouncer()
{
    Destroy();
}

void CAnnouncer::Create(HWND hDialog, HWND hSource)
{
    m_hSource = hSource;
    // Not visible and no tab stop: never shown, never focused, never
    // reached by Tab; it goes with the window.
    m_hLiveRegion =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, hDialog, nullptr,
                          reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hDialog, GWLP_HINSTANCE)), nullptr);
    m_politeness.SetPoliteLiveRegion(m_hLiveRegion);
    NotificationCalls();  // now rather than at the first search
}

void CAnnouncer::Announce(const std::wstring& text)
{
    if (Notify(text))
        return;
    ::SetWindowTextW(m_hLiveRegion, text.c_str());
    ::NotifyWinEvent(kLiveRegionChanged, m_hLiveRegion, OBJID_CLIENT, CHILDID_SELF);
}

// Where no UI Automation client listens, a reader that takes only Active
// Accessibility's events still hears the live region; beside one, it hears
// nothing, as a reader of both (NVDA) would hear both.
bool CAnnouncer::Notify(const std::wstring& text)
{
    const CNotificationCalls& calls = NotificationCalls();
    if (!calls.Exist() || !calls.pfnClientsAreListening())
        return false;
    if (m_pSource == nullptr)
        m_pSource = new CNotificationSource(m_hSource, calls.pfnHostProvider);
    const CBstr displayed(text.c_str());
    const CBstr activity(kActivity);
    return SUCCEEDED(calls.pfnRaise(m_pSource, kActionCompleted, kMostRecent, displayed, activity));
}

void CAnnouncer::Destroy()
{
    m_politeness.Clear();
    if (m_pSource == nullptr)
        return;
    // Clients let go of it, so that none asks it of a window that is gone.
    if (const DisconnectProvider pfnDisconnect = NotificationCalls().pfnDisconnectProvider)
        pfnDisconnect(m_pSource);
    m_pSource->Release();
    m_pSource = nullptr;
}
