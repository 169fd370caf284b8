#pragma once

#include <utility>

// An interface pointer of COM holding one reference, which goes with it.
template <class TInterface>
class CComPtr {
public:
    CComPtr() = default;
    // Takes over the reference p holds.
    explicit CComPtr(TInterface* p) : m_p(p) {}
    CComPtr(CComPtr&& other) noexcept : m_p(other.Detach()) {}
    // From one of a class that implements the interface.
    template <class TObject>
    CComPtr(CComPtr<TObject>&& other) noexcept : m_p(other.Detach())
    {
    }
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    ~CComPtr() { Reset(); }

    TInterface* Get() const { return m_p; }
    TInterface* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For a call that hands out a reference: the old one goes first.
    TInterface** Put()
    {
        Reset();
        return &m_p;
    }
    void Reset()
    {
        if (m_p)
            Detach()->Release();
    }
    // The reference goes to the caller.
    TInterface* Detach() { return std::exchange(m_p, nullptr); }

private:
    TInterface* m_p = nullptr;
};
