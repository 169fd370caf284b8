#pragma once

#include <windows.h>

#include <oleauto.h>

// A string as COM passes it, freed with the object.
class CBstr {
public:
    explicit CBstr(const wchar_t* psz) : m_bstr(::SysAllocString(psz)) {}
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    ~CBstr() { ::SysFreeString(m_bstr); }

    operator BSTR() const { return m_bstr; }

private:
    BSTR m_bstr;
};
