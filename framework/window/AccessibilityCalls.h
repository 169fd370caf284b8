#pragma once

#include <windows.h>

#include <oleauto.h>

struct IRawElementProviderSimple;

// The system's calls that tell screen readers, in one place, so that a test
// can put in its own: UI Automation's for notifications, where the system
// has them (Windows 10 1709 on; none elsewhere), and Active
// Accessibility's.
struct CAccessibilityCalls {
    HRESULT(WINAPI* pfnRaiseNotification)(IRawElementProviderSimple* pProvider, int nKind, int nProcessing,
                                          BSTR displayString, BSTR activityId);
    HRESULT(WINAPI* pfnHostProviderFromHwnd)(HWND hWnd, IRawElementProviderSimple** ppProvider);
    BOOL(WINAPI* pfnClientsAreListening)();
    HRESULT(WINAPI* pfnDisconnectProvider)(IRawElementProviderSimple* pProvider);  // Windows 8 on
    // Direct annotation of a whole window (IAccPropServices's SetHwndProp
    // and ClearHwndProps), the service made for the call and let go after,
    // as Microsoft's "Using Direct Annotation" tells.
    HRESULT (*pfnAnnotate)(HWND hWnd, const GUID& property, const VARIANT& value);
    HRESULT (*pfnClearAnnotation)(HWND hWnd, const GUID& property);
    void(WINAPI* pfnNotifyWinEvent)(DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild);

    bool HasNotifications() const { return pfnRaiseNotification && pfnHostProviderFromHwnd && pfnClientsAreListening; }
};

// The system's own; UI Automation's from its library in the system folder,
// which stays for the process's life, as UI Automation runs threads of its
// own in it.
const CAccessibilityCalls& SystemAccessibilityCalls();
