#include "framework/window/Annotation.h"

#include <utility>

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
    CComPtr<IAccPropServices> services;
    if (FAILED(m_calls.pfnCreateAnnotationService(services.Put())) || FAILED(set(services.Get())))
        return;
    m_hControl = hControl;
    m_property = property;
    m_services = std::move(services);
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
    if (!m_services)
        return;
    m_services->ClearHwndProps(m_hControl, OBJID_CLIENT, CHILDID_SELF, &m_property, 1);
    m_services.Reset();
    m_hControl = nullptr;
}
