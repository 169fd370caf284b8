#include "framework/window/AccessibleName.h"

#include <initguid.h>  // defines the annotation's GUIDs here

#include <objbase.h>
#include <oleacc.h>

void CAccessibleName::Set(HWND hControl, const wchar_t* pszName)
{
    Clear();
    IAccPropServices* pServices = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                  reinterpret_cast<void**>(&pServices))))
        return;
    if (FAILED(pServices->SetHwndPropStr(hControl, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, pszName))) {
        pServices->Release();
        return;
    }
    m_hControl = hControl;
    m_pServices = pServices;
}

void CAccessibleName::Clear()
{
    if (m_pServices == nullptr)
        return;
    MSAAPROPID name = PROPID_ACC_NAME;
    m_pServices->ClearHwndProps(m_hControl, OBJID_CLIENT, CHILDID_SELF, &name, 1);
    m_pServices->Release();
    m_pServices = nullptr;
    m_hControl = nullptr;
}

CComApartment::CComApartment()
    : m_bInitialized(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
{
}

CComApartment::~CComApartment()
{
    if (m_bInitialized)
        ::CoUninitialize();
}
