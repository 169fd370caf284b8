#include "framework/window/Announcer.h"

#include "framework/window/Bstr.h"
#include "framework/window/ComObject.h"

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

// The element the notifications come from: one of the program's own on the
// source window, as only such a provider can raise events. Readers meet it
// only in its notifications, never through WM_GETOBJECT, so that they go on
// taking the window's controls from Active Accessibility. Its window is a
// child; what UiaRaiseNotificationEvent asks of a WS_POPUP window (the Window
// pattern and WM_GETOBJECT) we take as asked of the source's own window,
// which Microsoft leaves open: Narrator on Windows is the judge.
class CNotificationSource final : public CComObject<IRawElementProviderSimple> {
public:
    CNotificationSource(HWND hWnd, const CAccessibilityCalls& calls) : m_hWnd(hWnd), m_calls(calls) {}

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
        return m_calls.pfnHostProviderFromHwnd(m_hWnd, ppHost);
    }

private:
    const HWND m_hWnd;
    const CAccessibilityCalls& m_calls;
};

}  // namespace

void CAnnouncer::Create(HWND hDialog, HWND hSource)
{
    m_hSource = hSource;
    // Not visible and no tab stop: never shown, never focused, never
    // reached by Tab; it goes with the window.
    m_hLiveRegion =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, hDialog, nullptr,
                          reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hDialog, GWLP_HINSTANCE)), nullptr);
    m_politeness.SetPoliteLiveRegion(m_hLiveRegion);
}

void CAnnouncer::Announce(const std::wstring& text)
{
    if (Notify(text))
        return;
    ::SetWindowTextW(m_hLiveRegion, text.c_str());
    m_calls.pfnNotifyWinEvent(kLiveRegionChanged, m_hLiveRegion, OBJID_CLIENT, CHILDID_SELF);
}

// Where no UI Automation client listens, a reader that takes only Active
// Accessibility's events still hears the live region; beside one, it hears
// nothing, as a reader of both (NVDA) would hear both.
bool CAnnouncer::Notify(const std::wstring& text)
{
    if (!m_calls.HasNotifications() || !m_calls.pfnClientsAreListening())
        return false;
    if (!m_source)
        m_source = MakeComObject<CNotificationSource>(m_hSource, m_calls);
    const CBstr displayed(text.c_str());
    const CBstr activity(kActivity);
    if (displayed == nullptr || activity == nullptr)
        return false;
    return SUCCEEDED(m_calls.pfnRaiseNotification(m_source.Get(), kActionCompleted, kMostRecent, displayed, activity));
}

void CAnnouncer::Destroy()
{
    m_politeness.Clear();
    // Clients let go of it, so that none asks it of a window that is gone.
    if (m_source && m_calls.pfnDisconnectProvider)
        m_calls.pfnDisconnectProvider(m_source.Get());
    m_source.Reset();
}
