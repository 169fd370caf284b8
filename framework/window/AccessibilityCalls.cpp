#include "framework/window/AccessibilityCalls.h"

#include "framework/window/ComPtr.h"

#include <initguid.h>  // defines oleacc.h's GUIDs here, as its calls ask

#include <objbase.h>
#include <oleacc.h>

#include <string>

namespace {

// A function of the library, of the type it is documented with; nullptr
// where the library has none of that name.
template <class TFunction>
void Find(HMODULE hModule, const char* pszName, TFunction& pfn)
{
    pfn = reinterpret_cast<TFunction>(reinterpret_cast<void*>(::GetProcAddress(hModule, pszName)));
}

// Calls the annotation service, made for the call.
template <class TCall>
HRESULT WithAnnotationService(TCall call)
{
    CComPtr<IAccPropServices> services;
    const HRESULT hr = ::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                          reinterpret_cast<void**>(services.Put()));
    return SUCCEEDED(hr) ? call(services.Get()) : hr;
}

HRESULT Annotate(HWND hWnd, const GUID& property, const VARIANT& value)
{
    return WithAnnotationService([&](IAccPropServices* pServices) {
        return pServices->SetHwndProp(hWnd, OBJID_CLIENT, CHILDID_SELF, property, value);
    });
}

HRESULT ClearAnnotation(HWND hWnd, const GUID& property)
{
    return WithAnnotationService([&](IAccPropServices* pServices) {
        return pServices->ClearHwndProps(hWnd, OBJID_CLIENT, CHILDID_SELF, &property, 1);
    });
}

}  // namespace

const CAccessibilityCalls& SystemAccessibilityCalls()
{
    static const CAccessibilityCalls s_calls = [] {
        CAccessibilityCalls calls{};
        calls.pfnAnnotate = Annotate;
        calls.pfnClearAnnotation = ClearAnnotation;
        calls.pfnNotifyWinEvent = ::NotifyWinEvent;
        wchar_t szSystem[MAX_PATH];
        const UINT nLength = ::GetSystemDirectoryW(szSystem, MAX_PATH);
        if (nLength == 0 || nLength >= MAX_PATH)
            return calls;
        const std::wstring path = std::wstring(szSystem, nLength) + L"\\UIAutomationCore.dll";
        if (const HMODULE hModule = ::LoadLibraryW(path.c_str())) {
            Find(hModule, "UiaRaiseNotificationEvent", calls.pfnRaiseNotification);
            Find(hModule, "UiaHostProviderFromHwnd", calls.pfnHostProviderFromHwnd);
            Find(hModule, "UiaClientsAreListening", calls.pfnClientsAreListening);
            Find(hModule, "UiaDisconnectProvider", calls.pfnDisconnectProvider);
        }
        return calls;
    }();
    return s_calls;
}
