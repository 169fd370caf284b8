#pragma once

#include <windows.h>

// The device context of one WM_PAINT: painting begins with the object and
// ends with it.
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = ::BeginPaint(hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }

    void DrawIcon(int x, int y, HICON hIcon) const { ::DrawIcon(m_hDC, x, y, hIcon); }

    HDC m_hDC;

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};
