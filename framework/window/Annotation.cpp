#include "framework/window/Annotation.h"

#include "framework/window/Bstr.h"

#include <oleacc.h>

namespace {

// UI Automation's LiveSetting property, as Active Accessibility annotates
// it (UIAutomationCoreApi.h from Windows 8 on); its value 1 is Polite.
const GUID kLiveSettingProperty = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;

}  // namespace

void CAnnotation::Set(HWND hControl, const GUID& property, const VARIANT& value)
{
    Clear();
    if (FAILED(m_calls.pfnAnnotate(hControl, property, value)))
        return;
    m_hControl = hControl;
    m_property = property;
}

void CAnnotation::SetName(HWND hControl, const wchar_t* pszName)
{
    const CBstr text(pszName);
    if (text == nullptr) {
        Clear();  // out of memory: no name rather than an empty one
        return;
    }
    VARIANT name;
    name.vt = VT_BSTR;
    name.bstrVal = text;
    Set(hControl, PROPID_ACC_NAME, name);
}

void CAnnotation::SetPoliteLiveRegion(HWND hControl)
{
    VARIANT polite;
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    Set(hControl, kLiveSettingProperty, polite);
}

void CAnnotation::Clear()
{
    if (m_hControl == nullptr)
        return;
    m_calls.pfnClearAnnotation(m_hControl, m_property);
    m_hControl = nullptr;
}
