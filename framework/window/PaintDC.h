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

// The device context of a window's client area outside painting, released
// with the object.
class CClientDC {
public:
    explicit CClientDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    ~CClientDC() { ::ReleaseDC(m_hWnd, m_hDC); }

    // The metrics of the font, which stays selected only for the call.
    TEXTMETRICA TextMetricsOf(HFONT hFont) const
    {
        TEXTMETRICA metrics{};
        const HGDIOBJ hOld = ::SelectObject(m_hDC, hFont);
        ::GetTextMetricsA(m_hDC, &metrics);
        ::SelectObject(m_hDC, hOld);
        return metrics;
    }

private:
    HWND m_hWnd;
    HDC m_hDC;
};
