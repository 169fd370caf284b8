#pragma once

#include "framework/window/AccessibilityCalls.h"

#include <windows.h>

#include <guiddef.h>

// A property of a control that screen readers read, through Active
// Accessibility's direct annotation: its name, where the dialog shows no
// label, or that it is a polite live region. Taken back before the window
// goes (Clear), as annotations are kept for the window. Where the service
// cannot be made or does not take the property (Wine's setters answer
// E_NOTIMPL; Windows before 8 knows no live setting), the control has none
// and the program works as before.
class CAnnotation {
public:
    explicit CAnnotation(const CAccessibilityCalls& calls = SystemAccessibilityCalls()) : m_calls(calls) {}
    CAnnotation(const CAnnotation&) = delete;
    CAnnotation& operator=(const CAnnotation&) = delete;
    ~CAnnotation() { Clear(); }

    void SetName(HWND hControl, const wchar_t* pszName);
    // Its changes are spoken when the reader is done with what it says.
    void SetPoliteLiveRegion(HWND hControl);
    void Clear();

private:
    void Set(HWND hControl, const GUID& property, const VARIANT& value);

    const CAccessibilityCalls& m_calls;
    HWND m_hControl = nullptr;  // while it has the property
    GUID m_property{};
};
