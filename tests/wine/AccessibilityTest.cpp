// What the program tells screen readers, in this process, through stand-ins
// for the system's calls (AccessibilityCalls.h): the annotations it gives
// its boxes and its live region, the UI Automation notification and its
// source, and the choice between the two ways, never both. Under Wine too,
// whose service answers E_NOTIMPL and which has no notifications; the
// tests zip hears the real ones on Windows.

#include "framework/portable/WideText.h"
#include "framework/window/Announcer.h"
#include "framework/window/ComObject.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the stand-ins were told, in words, windows and properties by name:
// the box (an edit box), the live region (a static child) or the dialog.
std::vector<std::string> g_told;

std::string WindowName(HWND hWnd)
{
    wchar_t szClass[16] = L"";
    ::GetClassNameW(hWnd, szClass, 16);
    return ::lstrcmpiW(szClass, L"Edit") == 0 ? "box" : ::GetParent(hWnd) ? "region" : "dialog";
}

std::string PropertyName(const GUID& property)
{
    // As Microsoft documents them, apart from the program's: Active
    // Accessibility's name, UI Automation's LiveSetting.
    const GUID kName = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
    const GUID kLiveSetting = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
    return property == kName ? "name" : property == kLiveSetting ? "live setting" : "another property";
}

void Tell(const std::string& what, HWND hWnd, const std::string& rest)
{
    g_told.push_back(what + " " + WindowName(hWnd) + " " + rest);
}

// The stand-ins' state: what annotating answers, whether a client listens,
// what raising answers; the sources raised from, held as UI Automation
// holds them.
HRESULT g_hrAnnotate = S_OK;
bool g_bListening = false;
HRESULT g_hrRaise = S_OK;
std::vector<CComPtr<IRawElementProviderSimple>> g_sources;
constexpr HRESULT kHostAnswer = 0x0000ABCD;

HRESULT Annotate(HWND hWnd, const GUID& property, const VARIANT& value)
{
    const std::string text = value.vt == VT_BSTR ? Utf8FromWide(value.bstrVal, ::SysStringLen(value.bstrVal)).GetString()
                             : value.vt == VT_I4 ? std::to_string(value.lVal)
                                                 : "(another kind)";
    Tell("set", hWnd, PropertyName(property) + " " + text);
    return g_hrAnnotate;
}

HRESULT ClearAnnotation(HWND hWnd, const GUID& property)
{
    Tell("clear", hWnd, PropertyName(property));
    return S_OK;
}

HRESULT WINAPI Raise(IRawElementProviderSimple* pSource, int nKind, int nProcessing, BSTR displayed, BSTR activity)
{
    pSource->AddRef();
    g_sources.emplace_back(pSource);
    g_told.push_back("raise " + std::to_string(nKind) + " " + std::to_string(nProcessing) + " " +
                     Utf8FromWide(displayed, ::SysStringLen(displayed)).GetString() + " " +
                     Utf8FromWide(activity, ::SysStringLen(activity)).GetString());
    return g_hrRaise;
}

HRESULT WINAPI HostProviderFromHwnd(HWND hWnd, IRawElementProviderSimple** ppHost)
{
    Tell("host", hWnd, "");
    *ppHost = nullptr;
    return kHostAnswer;
}

BOOL WINAPI ClientsAreListening()
{
    return g_bListening;
}

HRESULT WINAPI Disconnect(IRawElementProviderSimple* pSource)
{
    g_told.push_back(pSource == g_sources.front().Get() ? "disconnect the source" : "disconnect another");
    return S_OK;
}

void WINAPI NotifyWinEvent(DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild)
{
    Tell("event " + std::to_string(dwEvent), hWnd, idObject == OBJID_CLIENT && idChild == CHILDID_SELF ? "" : "(a part)");
}

CAccessibilityCalls StandIns(bool bNotifications)
{
    return {bNotifications ? Raise : nullptr, bNotifications ? HostProviderFromHwnd : nullptr,
            bNotifications ? ClientsAreListening : nullptr, bNotifications ? Disconnect : nullptr,
            Annotate, ClearAnnotation, NotifyWinEvent};
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
        : hDialog(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr)),
          hBox(::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 50, 20, hDialog, nullptr, nullptr, nullptr))
    {
    }
    ~CWindows() { ::DestroyWindow(hDialog); }

    const HWND hDialog;
    const HWND hBox;
};

}  // namespace

// Each announcement goes one way: as a notification where the system has
// them, a client listens and the raise succeeds (a search done, the most
// recent spoken), else as the live region's text, told with
// EVENT_OBJECT_LIVEREGIONCHANGED. The live region is polite, and a box has
// its name, annotated for the whole control and taken back with the
// annotation; where the service refuses them (Wine's), there is nothing to
// take back. The notifications come from one
// source of the program's own: a server-side provider on COM's threading,
// hosted by the box's own element, that answers for its interface alone,
// is disconnected before the window goes and lets go of nothing too soon.
TEST(Announcer, TellsANotificationOrTheLiveRegionNeverBoth)
{
    const std::string kRaised = "raise 2 3 No Results Norvane.SearchResults";
    const std::string kEvent = "event 32793 region ";  // 0x8019
    const struct {
        const char* name;
        bool bNotifications, bListening;
        HRESULT hrRaise, hrAnnotate;
        std::vector<std::string> told;  // of the second announcement
    } cases[] = {
        {"a client listens", true, true, S_OK, S_OK, {kRaised}},
        {"none listens", true, false, S_OK, S_OK, {kEvent}},
        {"the raise fails", true, true, E_FAIL, S_OK, {kRaised, kEvent}},
        {"no notifications (Windows 7 to 10 1703)", false, false, S_OK, S_OK, {kEvent}},
        {"no annotations (Wine)", false, false, S_OK, E_NOTIMPL, {kEvent}},
    };
    for (const auto& c : cases) {
        const CAccessibilityCalls calls = StandIns(c.bNotifications);
        const CWindows windows;
        g_hrAnnotate = c.hrAnnotate;
        g_bListening = c.bListening;
        g_hrRaise = c.hrRaise;
        g_told.clear();
        CAnnouncer announcer(calls);
        announcer.Create(windows.hDialog, windows.hBox);
        const HWND hRegion = ::FindWindowExW(windows.hDialog, nullptr, L"STATIC", nullptr);
        {
            CAnnotation name(calls);
            name.SetName(windows.hBox, L"Matching journals");
        }
        std::vector<std::string> annotated = {"set region live setting 1", "set box name Matching journals"};
        if (c.hrAnnotate == S_OK)
            annotated.push_back("clear box name");
        EXPECT_EQ(g_told, annotated);
        announcer.Announce(L"21 journals");
        g_told.clear();
        announcer.Announce(L"No Results");
        EXPECT_EQ(g_told, c.told) << c.name;
        wchar_t szRegion[32] = L"";
        ::GetWindowTextW(hRegion, szRegion, 32);
        EXPECT_EQ(std::wstring(szRegion), c.told.back() == kEvent ? L"No Results" : L"") << c.name;
        if (c.bListening) {
            ASSERT_EQ(g_sources.size(), 2u);
            EXPECT_EQ(g_sources[0].Get(), g_sources[1].Get()) << "a source for each notification";
            IRawElementProviderSimple* const pSource = g_sources[0].Get();
            ProviderOptions options{};
            CComPtr<IRawElementProviderSimple> host, same;
            CComPtr<IUnknown> unknown, other;
            EXPECT_TRUE(pSource->get_ProviderOptions(&options) == S_OK &&
                        options == (ProviderOptions_ServerSideProvider | ProviderOptions_UseComThreading));
            EXPECT_TRUE(pSource->get_HostRawElementProvider(host.Put()) == kHostAnswer &&
                        g_told.back() == "host box ") << "not hosted by the box's own element";
            EXPECT_TRUE(SUCCEEDED(pSource->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(unknown.Put()))) &&
                        SUCCEEDED(pSource->QueryInterface(__uuidof(IRawElementProviderSimple),
                                                          reinterpret_cast<void**>(same.Put()))) &&
                        pSource->QueryInterface(__uuidof(IDispatch), reinterpret_cast<void**>(other.Put())) == E_NOINTERFACE);
            EXPECT_EQ(References(pSource), 5u) << "the program's own, the two raised, the two asked";
        }
        g_told.clear();
        announcer.Destroy();
        std::vector<std::string> destroyed;
        if (c.hrAnnotate == S_OK)
            destroyed.push_back("clear region live setting");
        if (c.bListening)
            destroyed.push_back("disconnect the source");
        EXPECT_EQ(g_told, destroyed) << c.name;
        if (c.bListening) {
            g_sources.pop_back();
            EXPECT_EQ(References(g_sources[0].Get()), 1u) << "other references than the one left";
        }
        g_sources.clear();  // the last reference: the source goes
    }
}
