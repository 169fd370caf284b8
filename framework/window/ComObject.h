#pragma once

#include "framework/window/ComPtr.h"

#include <windows.h>

#include <unknwn.h>

#include <utility>

// A COM object of the program's own, implementing one interface: it
// counts its references and goes with the last, as COM's callers expect.
// Made by MakeComObject, which hands its first reference to an owner.
template <class TInterface>
class CComObject : public TInterface {
public:
    CComObject() = default;
    CComObject(const CComObject&) = delete;
    CComObject& operator=(const CComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppObject) override
    {
        if (ppObject == nullptr)
            return E_POINTER;
        *ppObject = riid == __uuidof(IUnknown) || riid == __uuidof(TInterface) ? static_cast<TInterface*>(this) : nullptr;
        if (*ppObject == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&m_nRefs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG nRefs = ::InterlockedDecrement(&m_nRefs);
        if (nRefs == 0)
            delete this;
        return nRefs;
    }

protected:
    virtual ~CComObject() = default;

private:
    LONG m_nRefs = 1;
};

// A new object of the class, its first reference held by the pointer.
template <class TObject, class... TArgs>
CComPtr<TObject> MakeComObject(TArgs&&... args)
{
    return CComPtr<TObject>(new TObject(std::forward<TArgs>(args)...));
}
