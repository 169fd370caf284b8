#include "framework/window/ComApartment.h"

CComApartment::CComApartment(DWORD dwModel)
    : m_bInitialized(SUCCEEDED(::CoInitializeEx(nullptr, dwModel | COINIT_DISABLE_OLE1DDE)))
{
}

CComApartment::~CComApartment()
{
    if (m_bInitialized)
        ::CoUninitialize();
}
