#pragma once

#include <windows.h>

struct IAccPropServices;

// A control's name for screen readers where the dialog shows no label,
// through Microsoft Active Accessibility's dynamic annotation. The name is
// taken back before the window goes (Clear), as annotations are kept on
// the window. Where the system has no annotation service (Wine) the control
// keeps no name; the program works as before.
class CAccessibleName {
public:
    CAccessibleName() = default;
    CAccessibleName(const CAccessibleName&) = delete;
    CAccessibleName& operator=(const CAccessibleName&) = delete;
    ~CAccessibleName() { Clear(); }

    void Set(HWND hControl, const wchar_t* pszName);
    void Clear();

private:
    HWND m_hControl = nullptr;
    IAccPropServices* m_pServices = nullptr;
};

// COM for the thread that runs the dialogs, from the object's start to its
// end: the annotation service is a COM object.
class CComApartment {
public:
    CComApartment();
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;
    ~CComApartment();

private:
    bool m_bInitialized;
};
