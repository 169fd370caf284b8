#pragma once

#include <windows.h>

#include <unknwn.h>

// A COM object of the program's own, implementing one interface: it
// counts its references and goes with the last, as COM's callers expect.
template <class TInterface>
class CComObject : public TInterface {
public:
    explicit CComObject(const IID& iid) : m_iid(iid) {}
    CComObject(const CComObject&) = delete;
    CComObject& operator=(const CComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppObject) override
    {
        if (ppObject == nullptr)
            return E_POINTER;
        *ppObject = riid == __uuidof(IUnknown) || riid == m_iid ? static_cast<TInterface*>(this) : nullptr;
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
    const IID m_iid;
    LONG m_nRefs = 1;
};
