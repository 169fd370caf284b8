#include "framework/window/Resources.h"

#include "framework/window/WinApp.h"

std::wstring LoadResourceString(UINT nID)
{
    // A buffer of 0 gives a pointer to the string itself, read-only.
    const wchar_t* pchText = nullptr;
    const int nLength = ::LoadStringW(AfxGetResourceHandle(), nID, reinterpret_cast<wchar_t*>(&pchText), 0);
    return nLength > 0 ? std::wstring(pchText, static_cast<std::size_t>(nLength)) : std::wstring();
}

HICON LoadResourceIcon(UINT nID)
{
    return ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID));
}
