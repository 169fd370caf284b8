#pragma once

#include "framework/portable/FillSchedule.h"
#include "framework/portable/String.h"
#include "framework/window/Edit.h"

#include <windows.h>

// A text shown in an edit box in parts, as a state of the window that owns
// the box (FillSchedule.h says when each part goes in): the dialog starts
// it, stops it and gives it the turns of its message loop. A part the box
// cannot take stops the fill and empties the box, so that no text is ever
// shown cut short as if it were whole, and is thrown as a lack of memory.
class CEditFill {
public:
    // Shows the text, or its first part.
    void Start(const CEdit& edit, CString strText);
    // Adds the part that is due, if any; returns how long the loop may wait
    // for a message before the next turn (INFINITE: the text is whole).
    DWORD OnIdle();
    void Stop() { m_schedule.Stop(); }
    // The box said it has no room for more (EN_ERRSPACE, EN_MAXTEXT).
    void OnBoxFull() { m_bBoxFull = true; }

private:
    void Show(const CFillPart& part);

    CEdit m_edit;
    CFillSchedule m_schedule;
    bool m_bBoxFull = false;
};
