#pragma once

#include "framework/window/AccessibilityCalls.h"
#include "framework/window/Annotation.h"
#include "framework/window/ComPtr.h"

#include <windows.h>

#include <uiautomationcore.h>

#include <string>

// Tells screen readers a short text, once, with no control that anyone
// sees or can reach. Where the system has UI Automation notifications
// (Windows 10 1709 on) and a client listens for them, as a notification
// from a child of the window. Elsewhere as a live region, the documented
// way before them: a static text child of the window that is never shown,
// whose name is the text, polite (a UI Automation live setting, which
// Windows knows from 8 on), and whose change is told with
// EVENT_OBJECT_LIVEREGIONCHANGED, which readers of Active Accessibility
// hear from Windows 8 on. One way for each text, never both: a reader that
// hears both says it twice.
class CAnnouncer {
public:
    explicit CAnnouncer(const CAccessibilityCalls& calls = SystemAccessibilityCalls()) : m_calls(calls), m_politeness(calls)
    {
    }
    CAnnouncer(const CAnnouncer&) = delete;
    CAnnouncer& operator=(const CAnnouncer&) = delete;
    ~CAnnouncer() { Destroy(); }

    // In the dialog's initialisation: notifications come from hSource, a
    // child of the window that is to say what changed in it.
    void Create(HWND hDialog, HWND hSource);
    void Announce(const std::wstring& text);
    // Before the window goes.
    void Destroy();

private:
    bool Notify(const std::wstring& text);

    const CAccessibilityCalls& m_calls;
    HWND m_hSource = nullptr;
    HWND m_hLiveRegion = nullptr;
    CAnnotation m_politeness;
    CComPtr<IRawElementProviderSimple> m_source;  // once a notification was due
};
