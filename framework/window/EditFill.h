#pragma once

#include "framework/portable/FillSchedule.h"
#include "framework/portable/String.h"
#include "framework/window/Edit.h"

#include <windows.h>

// A text shown in a multi-line edit box in parts, as a state of the window
// that owns the box (FillSchedule.h says when each part goes in): the dialog
// starts it, empties it and gives it the turns of its message loop. The
// text is in a code page (CP_ACP, CP_UTF8), as the search gives it; each
// part, whole lines, is converted once, on its way into the box, so that
// no character is parted. A part that fails stops the fill
// and empties the box, so that no text is ever shown cut short as if it
// were whole; one the box has no room for is thrown as a CBoxFullException.
class CEditFill {
public:
    explicit CEditFill(const CEdit& edit) : m_edit(edit) {}

    // Shows the text, in code page nCodePage, or its first part.
    void Start(CString strText, UINT nCodePage);
    // Adds the part that is due, if any; returns how long the loop may wait
    // for a message before the next turn (INFINITE: the text is whole).
    DWORD OnIdle();
    // Stops the fill and empties the box.
    void Empty();
    // The box said it has no memory for more (EN_ERRSPACE).
    void OnBoxOutOfMemory() { m_bBoxOutOfMemory = true; }

private:
    void Show(const CFillPart& part);

    const CEdit& m_edit;
    CFillSchedule m_schedule;
    UINT m_nCodePage = CP_ACP;  // of the text
    bool m_bBoxOutOfMemory = false;
};
