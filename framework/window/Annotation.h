#pragma once

#include <windows.h>

#include <guiddef.h>
#include <objbase.h>

struct IAccPropServices;

// A property of a control that screen readers read, through Active
// Accessibility's dynamic annotation: its name, where the dialog shows no
// label, or that it is a polite live region. Taken back before the window
// goes (Clear), as annotations are kept on the window. Where the system has
// no annotation service (Wine), or does not know the property (the live
// setting before Windows 8), the control has none; the program works as
// before.
class CAnnotation {
public:
    CAnnotation() = default;
    CAnnotation(const CAnnotation&) = delete;
    CAnnotation& operator=(const CAnnotation&) = delete;
    ~CAnnotation() { Clear(); }

    void SetName(HWND hControl, const wchar_t* pszName);
    // Its changes are spoken when the reader is done with what it says.
    void SetPoliteLiveRegion(HWND hControl);
    void Clear();

private:
    template <class TSet>
    void Set(HWND hControl, const GUID& property, TSet set);

    HWND m_hControl = nullptr;
    GUID m_property{};
    IAccPropServices* m_pServices = nullptr;
};

// COM for a thread, from the object's start to its end: a single-threaded
// apartment for the thread that runs the dialogs (the annotation service is
// a COM object), a multithreaded one where UI Automation calls a client's
// event handlers.
class CComApartment {
public:
    explicit CComApartment(DWORD dwModel = COINIT_APARTMENTTHREADED);
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;
    ~CComApartment();

private:
    bool m_bInitialized;
};
