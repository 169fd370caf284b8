#pragma once

#include <windows.h>

// A menu that a window owns, such as its system menu; may be empty.
class CMenu {
public:
    explicit CMenu(HMENU hMenu) : m_hMenu(hMenu) {}
    explicit operator bool() const { return m_hMenu != nullptr; }

    void AppendSeparator() const { ::AppendMenuW(m_hMenu, MF_SEPARATOR, 0, nullptr); }
    void AppendItem(UINT_PTR nID, const wchar_t* pszText) const { ::AppendMenuW(m_hMenu, MF_STRING, nID, pszText); }

private:
    HMENU m_hMenu;
};
