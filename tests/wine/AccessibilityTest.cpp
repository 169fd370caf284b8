// What the program tells screen readers, in this process, through stand-ins
// for the system's calls (AccessibilityCalls.h): the annotations it gives
// its boxes and its live region, the UI Automation notification and its
// source, and the choice between the two ways, never both. Under Wine too,
// whose service answers E_NOTIMPL and which has no notifications; the
// tests zip hears the real ones on Windows.

#include "framework/window/Announcer.h"
#include "framework/window/ComObject.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

__CRT_UUID_DECL(IAccPropServices, 0x6e26e776, 0x04f0, 0x495d, 0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69)

namespace {

// Documented values, written here apart from the program's: UI Automation's
// LiveSetting property (UIAutomationCoreApi.h) and Active Accessibility's
// name (oleacc.h).
const GUID kLiveSetting = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
const GUID kAccName = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

// What a stand-in was told, a call each.
struct CCall {
    std::string what;
    HWND hWnd;
    GUID property;
    std::wstring text;  // a string set, or what was raised
    LONG nValue;        // a VT_I4 set, or a notification's kind * 10 + processing
};
std::vector<CCall> g_calls;

// The annotation service: keeps what it is set, refuses it where told to.
class CAnnotationService final : public CComObject<IAccPropServices> {
public:
    explicit CAnnotationService(HRESULT hrSet) : m_hrSet(hrSet) {}

    HRESULT WINAPI SetHwndProp(HWND hWnd, DWORD idObject, DWORD idChild, MSAAPROPID idProp, VARIANT var) override
    {
        if (idObject == static_cast<DWORD>(OBJID_CLIENT) && idChild == CHILDID_SELF)
            g_calls.push_back({"set", hWnd, idProp, L"", var.vt == VT_I4 ? var.lVal : -1});
        return m_hrSet;
    }
    HRESULT WINAPI SetHwndPropStr(HWND hWnd, DWORD idObject, DWORD idChild, MSAAPROPID idProp, LPCWSTR psz) override
    {
        if (idObject == static_cast<DWORD>(OBJID_CLIENT) && idChild == CHILDID_SELF)
            g_calls.push_back({"set", hWnd, idProp, psz, 0});
        return m_hrSet;
    }
    HRESULT WINAPI ClearHwndProps(HWND hWnd, DWORD idObject, DWORD idChild, const MSAAPROPID* pProps, int nProps) override
    {
        if (idObject == static_cast<DWORD>(OBJID_CLIENT) && idChild == CHILDID_SELF && nProps == 1)
            g_calls.push_back({"clear", hWnd, pProps[0], L"", 0});
        return S_OK;
    }
    // Never called.
    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override { return E_NOTIMPL; }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override { return E_NOTIMPL; }

private:
    const HRESULT m_hrSet;
};

// The stand-ins' state: the service handed out, whether a client listens,
// what raising answers; the sources raised from, held as UI Automation
// holds them.
CComPtr<CAnnotationService> g_service;
bool g_bListening = false;
HRESULT g_hrRaise = S_OK;
std::vector<CComPtr<IRawElementProviderSimple>> g_sources;
constexpr HRESULT kHostAnswer = 0x0000ABCD;

HRESULT CreateService(IAccPropServices** ppServices)
{
    g_service->AddRef();
    *ppServices = g_service.Get();
    return S_OK;
}

HRESULT WINAPI Raise(IRawElementProviderSimple* pSource, int nKind, int nProcessing, BSTR displayed, BSTR activity)
{
    pSource->AddRef();
    g_sources.emplace_back(pSource);
    g_calls.push_back({"raise", nullptr, {}, std::wstring(displayed) + L"|" + activity, nKind * 10 + nProcessing});
    return g_hrRaise;
}

HRESULT WINAPI HostProviderFromHwnd(HWND hWnd, IRawElementProviderSimple** ppHost)
{
    g_calls.push_back({"host", hWnd, {}, L"", 0});
    *ppHost = nullptr;
    return kHostAnswer;
}

BOOL WINAPI ClientsAreListening()
{
    return g_bListening;
}

HRESULT WINAPI Disconnect(IRawElementProviderSimple* pSource)
{
    g_calls.push_back({"disconnect", nullptr, {}, L"", pSource == g_sources.front().Get()});
    return S_OK;
}

void WINAPI NotifyWinEvent(DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild)
{
    if (idObject == OBJID_CLIENT && idChild == CHILDID_SELF)
        g_calls.push_back({"event", hWnd, {}, L"", static_cast<LONG>(dwEvent)});
}

CAccessibilityCalls StandIns(bool bNotifications)
{
    return {bNotifications ? Raise : nullptr, bNotifications ? HostProviderFromHwnd : nullptr,
            bNotifications ? ClientsAreListening : nullptr, bNotifications ? Disconnect : nullptr,
            CreateService, NotifyWinEvent};
}

// The references to an object, as its next release tells them.
ULONG References(IUnknown* pObject)
{
    pObject->AddRef();
    return pObject->Release();
}

// A window of this process standing for the dialog, with a box for the
// source of notifications; gone with the object.
struct CWindows {
    CWindows()
    {
        hDialog = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
        hBox = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, hDialog, nullptr, nullptr, nullptr);
    }
    ~CWindows() { ::DestroyWindow(hDialog); }

    HWND hDialog;
    HWND hBox;
};

}  // namespace

// A box's name, and the live region's politeness, told to the annotation
// service and taken back from it with the annotation; a service that
// refuses them (Wine's) is let go at once, with nothing to take back.
TEST(Annotation, NamesABoxOrMakesARegionPoliteUntilTakenBack)
{
    const CAccessibilityCalls calls = StandIns(false);
    const CWindows windows;
    for (const HRESULT hrSet : {S_OK, E_NOTIMPL}) {
        g_service = MakeComObject<CAnnotationService>(hrSet);
        g_calls.clear();
        {
            CAnnotation name(calls);
            name.SetName(windows.hBox, L"Matching journals");
            CAnnotation politeness(calls);
            politeness.SetPoliteLiveRegion(windows.hDialog);
            EXPECT_EQ(References(g_service.Get()), hrSet == S_OK ? 3u : 1u) << "the service is not kept while needed";
        }
        ASSERT_EQ(g_calls.size(), hrSet == S_OK ? 4u : 2u);
        EXPECT_TRUE(g_calls[0].hWnd == windows.hBox && g_calls[0].property == kAccName && g_calls[0].text == L"Matching journals");
        EXPECT_TRUE(g_calls[1].hWnd == windows.hDialog && g_calls[1].property == kLiveSetting && g_calls[1].nValue == 1)
            << "not polite";
        if (hrSet == S_OK) {
            EXPECT_TRUE(g_calls[2].what == "clear" && g_calls[2].hWnd == windows.hDialog && g_calls[2].property == kLiveSetting);
            EXPECT_TRUE(g_calls[3].what == "clear" && g_calls[3].hWnd == windows.hBox && g_calls[3].property == kAccName);
        }
        EXPECT_EQ(References(g_service.Get()), 1u) << "the service is kept after its annotation went";
    }
    g_service.Reset();
}

// Each announcement goes one way: as a notification where the system has
// them and a client listens and the raise succeeds, else through the live
// region, told with EVENT_OBJECT_LIVEREGIONCHANGED, whose name is then the
// text. The notification comes from one source of the program's own, on
// the box it is given: a server-side provider on COM's threading, hosted
// by the box's own element, that answers for its interface alone, is
// disconnected before the window goes and lets go of nothing too soon.
TEST(Announcer, TellsANotificationOrTheLiveRegionNeverBoth)
{
    const struct {
        const char* name;
        bool bNotifications, bListening;
        HRESULT hrRaise;
        bool bNotified;  // else the live region
    } cases[] = {
        {"a client listens", true, true, S_OK, true},
        {"none listens", true, false, S_OK, false},
        {"the raise fails", true, true, E_FAIL, false},
        {"no notifications (Windows 7 to 10 1703)", false, false, S_OK, false},
    };
    for (const auto& c : cases) {
        const CAccessibilityCalls calls = StandIns(c.bNotifications);
        const CWindows windows;
        g_service = MakeComObject<CAnnotationService>(S_OK);
        g_bListening = c.bListening;
        g_hrRaise = c.hrRaise;
        CAnnouncer announcer(calls);
        announcer.Create(windows.hDialog, windows.hBox);
        const HWND hLiveRegion = ::GetWindow(windows.hDialog, GW_CHILD) == windows.hBox
                                     ? ::GetWindow(windows.hBox, GW_HWNDNEXT)
                                     : ::GetWindow(windows.hDialog, GW_CHILD);
        g_calls.clear();
        announcer.Announce(L"21 journals");
        announcer.Announce(L"No Results");
        std::vector<std::string> told;
        for (const CCall& call : g_calls)
            told.push_back(call.what);
        std::vector<std::string> expected(2, c.bNotified ? "raise" : "event");
        if (c.hrRaise != S_OK)
            expected = {"raise", "event", "raise", "event"};
        EXPECT_EQ(told, expected) << c.name;
        for (const CCall& call : g_calls) {
            if (call.what == "event")
                EXPECT_TRUE(call.hWnd == hLiveRegion && call.nValue == 0x8019) << c.name;
            else
                EXPECT_EQ(call.nValue, 2 * 10 + 3) << c.name << ": not an action completed, the most recent spoken";
        }
        wchar_t szRegion[32] = L"";
        ::GetWindowTextW(hLiveRegion, szRegion, 32);
        EXPECT_EQ(std::wstring(szRegion), c.bNotified ? L"" : L"No Results") << c.name;
        EXPECT_FALSE(::IsWindowVisible(hLiveRegion) || (::GetWindowLongW(hLiveRegion, GWL_STYLE) & WS_TABSTOP));
        if (!c.bNotified) {
            announcer.Destroy();
            EXPECT_TRUE(g_sources.empty() || c.hrRaise != S_OK);
            g_sources.clear();
            continue;
        }
        ASSERT_EQ(g_sources.size(), 2u);
        EXPECT_EQ(g_sources[0].Get(), g_sources[1].Get()) << "a source for each notification";
        EXPECT_EQ(g_calls[0].text, L"21 journals|Norvane.SearchResults");
        IRawElementProviderSimple* const pSource = g_sources[0].Get();
        ProviderOptions options{};
        pSource->get_ProviderOptions(&options);
        EXPECT_EQ(options, ProviderOptions_ServerSideProvider | ProviderOptions_UseComThreading);
        CComPtr<IRawElementProviderSimple> host;
        g_calls.clear();
        EXPECT_EQ(pSource->get_HostRawElementProvider(host.Put()), kHostAnswer);
        EXPECT_TRUE(g_calls.size() == 1 && g_calls[0].hWnd == windows.hBox) << "not hosted by the box's element";
        CComPtr<IUnknown> unknown;
        CComPtr<IRawElementProviderSimple> same;
        CComPtr<IUnknown> other;
        EXPECT_TRUE(SUCCEEDED(pSource->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(unknown.Put()))) &&
                    SUCCEEDED(pSource->QueryInterface(__uuidof(IRawElementProviderSimple),
                                                      reinterpret_cast<void**>(same.Put()))) &&
                    pSource->QueryInterface(__uuidof(IDispatch), reinterpret_cast<void**>(other.Put())) == E_NOINTERFACE &&
                    !other);
        unknown.Reset();
        same.Reset();
        EXPECT_EQ(References(pSource), 3u) << "the program's own and the two raised";
        g_calls.clear();
        announcer.Destroy();
        EXPECT_TRUE(g_calls.size() == 2 && g_calls[0].what == "clear" && g_calls[1].what == "disconnect" &&
                    g_calls[1].nValue == 1)
            << "the politeness is not taken back, or the source not disconnected";
        g_sources.pop_back();
        EXPECT_EQ(References(pSource), 1u) << "other references than the one left";
        g_sources.clear();  // the last reference: the source goes
    }
    g_service.Reset();
}
