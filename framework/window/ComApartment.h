#pragma once

#include <windows.h>

#include <objbase.h>

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
