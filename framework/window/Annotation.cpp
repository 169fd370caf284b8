#include "framework/window/Annotation.h"

#include <initguid.h>  // defines the annotation's GUIDs here

#include <objbase.h>
#include <oleacc.h>

namespace {

// UI Automation's LiveSetting property, as Active Accessibility annotates
// it (UIAutomationCoreApi.h from Windows 8 on); its value 1 is Polite.
const GUID kLiveSettingProperty = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;

}  // namespace

template <class TSet>
void CAnnotation::Set(HWND hControl, const GUID& property, TSet set)
{
    Clear();
    IAccPropServices* pServices = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                  reinterpret_cast<void**>(&pServices))))
        return;
    if (FAILED(set(pServices))) {
        pServices->Release();
        return;
    }
    m_hControl = hControl;
    m_property = property;
    m_pServices = pServices;
}

void CAnnotation::SetName(HWND hControl, const wchar_t* pszName)
{
    Set(hControl, PROPID_ACC_NAME, [&](IAccPropServices* pServices) {
        return pServices->SetHwndPropStr(hControl, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, pszName);
    });
}

void CAnnotation::SetPoliteLiveRegion(HWND hControl)
{
    Set(hControl, kLiveSettingProperty, [&](IAccPropServices* pServices) {
        VARIANT polite;
        polite.vt = VT_I4;
        polite.lVal = kPolite;
        return pServices->SetHwndProp(hControl, OBJID_CLIENT, CHILDID_SELF, kLiveSettingProperty, polite);
    });
}

void CAnnotation::Clear()
{
    if (m_pServices == nullptr)
        return;
    m_pServices->ClearHwndProps(m_hControl, OBJID_CLIENT, CHILDID_SELF, &m_property, 1);
    m_pServices->Release();
    m_pServices = nullptr;
    m_hControl = nullptr;
}

CComApartment::CComApartment(DWORD dwModel)
    : m_bInitialized(SUCCEEDED(::CoInitializeEx(nullptr, dwModel | COINIT_DISABLE_OLE1DDE)))
{
}

CComApartment::~CComApartment()
{
    if (m_bInitialized)
        ::CoUninitialize();
}
