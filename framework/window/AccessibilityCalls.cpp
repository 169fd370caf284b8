#include "framework/window/AccessibilityCalls.h"

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

HRESULT CreateAnnotationService(IAccPropServices** ppServices)
{
    return ::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              reinterpret_cast<void**>(ppServices));
}

}  // namespace

const CAccessibilityCalls& SystemAccessibilityCalls()
{
    static const CAccessibilityCalls s_calls = [] {
        CAccessibilityCalls calls{};
        calls.pfnCreateAnnotationService = CreateAnnotationService;
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
