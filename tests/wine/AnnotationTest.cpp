// The annotations of a control in this process, told to a stand-in for the
// system's annotation service registered in its place: Wine's answers
// E_NOTIMPL to all, and on Windows the screen reader's window test reads
// them back through UI Automation. A live region is polite as UI
// Automation's LiveSetting property says it, a name is the control's own;
// each is taken back with the annotation, and the service goes with it, or
// at once where it refused.

#include "framework/window/Annotation.h"
#include "framework/window/ComObject.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// UIAutomationCoreApi.h's LiveSetting_Property_GUID; 1 is Polite.
const GUID kLiveSetting = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};

// What the stand-in was told.
struct CTold {
    bool bRefuse = false;
    HWND hControl = nullptr;  // of the control's own object
    GUID set{}, cleared{};
    long nValue = -1;  // a number set
    std::wstring name;
    bool bGone = false;
};

class CServices final : public CComObject<IAccPropServices> {
public:
    explicit CServices(CTold& told) : CComObject(IID_IAccPropServices), m_told(told) {}
    ~CServices() override { m_told.bGone = true; }

    HRESULT WINAPI SetHwndProp(HWND hWnd, DWORD idObject, DWORD idChild, MSAAPROPID idProp, VARIANT var) override
    {
        m_told.nValue = var.vt == VT_I4 ? var.lVal : -1;
        return Tell(hWnd, idObject, idChild, idProp);
    }
    HRESULT WINAPI SetHwndPropStr(HWND hWnd, DWORD idObject, DWORD idChild, MSAAPROPID idProp, LPCWSTR psz) override
    {
        m_told.name = psz;
        return Tell(hWnd, idObject, idChild, idProp);
    }
    HRESULT WINAPI ClearHwndProps(HWND hWnd, DWORD, DWORD, const MSAAPROPID* paProps, int cProps) override
    {
        if (hWnd == m_told.hControl && cProps == 1)
            m_told.cleared = paProps[0];
        return S_OK;
    }
    // Nothing else is asked of it.
    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) override
    {
        return E_NOTIMPL;
    }
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) override { return E_NOTIMPL; }
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) override { return E_NOTIMPL; }
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) override { return E_NOTIMPL; }

private:
    HRESULT Tell(HWND hWnd, DWORD idObject, DWORD idChild, const MSAAPROPID& property)
    {
        if (static_cast<LONG>(idObject) == OBJID_CLIENT && idChild == CHILDID_SELF)
            m_told.hControl = hWnd;
        m_told.set = property;
        return m_told.bRefuse ? E_NOTIMPL : S_OK;
    }

    CTold& m_told;
};

class CServicesFactory final : public CComObject<IClassFactory> {
public:
    explicit CServicesFactory(CTold& told) : CComObject(IID_IClassFactory), m_told(told) {}

    HRESULT WINAPI CreateInstance(IUnknown* pOuter, REFIID riid, void** ppObject) override
    {
        if (pOuter)
            return CLASS_E_NOAGGREGATION;
        IUnknown* const pServices = new CServices(m_told);
        const HRESULT hResult = pServices->QueryInterface(riid, ppObject);
        pServices->Release();
        return hResult;
    }
    HRESULT WINAPI LockServer(BOOL) override { return S_OK; }

private:
    CTold& m_told;
};

}  // namespace

TEST(Annotation, MakesAPoliteLiveRegionOrANameAndTakesItBack)
{
    const CComApartment com;
    CTold told;
    IUnknown* const pFactory = new CServicesFactory(told);
    DWORD dwRegistered = 0;
    ASSERT_EQ(::CoRegisterClassObject(CLSID_AccPropServices, pFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                      &dwRegistered), S_OK);
    pFactory->Release();
    const HWND hControl = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const struct {
        const char* what;
        std::function<void(CAnnotation&)> annotate;
        GUID property;
        long nValue;
        const wchar_t* pszName;
    } cases[] = {
        {"live region", [&](CAnnotation& a) { a.SetPoliteLiveRegion(hControl); }, kLiveSetting, 1, L""},
        {"name", [&](CAnnotation& a) { a.SetName(hControl, L"Matching journals"); }, PROPID_ACC_NAME, -1,
         L"Matching journals"},
    };
    for (const bool bRefuse : {false, true}) {
        for (const auto& c : cases) {
            told = CTold();
            told.bRefuse = bRefuse;
            {
                CAnnotation annotation;
                c.annotate(annotation);
                EXPECT_TRUE(told.hControl == hControl && told.set == c.property) << c.what;
                EXPECT_TRUE(told.nValue == c.nValue && told.name == c.pszName) << c.what;
                EXPECT_EQ(told.bGone, bRefuse) << c.what << ": the service kept or let go of";
            }
            EXPECT_TRUE(told.bGone) << c.what << ": the service was not let go of";
            EXPECT_TRUE(told.cleared == (bRefuse ? GUID{} : c.property)) << c.what << ": not taken back";
        }
    }
    ::DestroyWindow(hControl);
    ::CoRevokeClassObject(dwRegistered);
}
