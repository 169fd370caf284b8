#pragma once

#include "framework/portable/FillSchedule.h"
#include "framework/portable/String.h"
#include "framework/window/Edit.h"

#include <windows.h>

// A text shown in a multi-line edit box in parts, as a state of the window
// that owns the box (FillSchedule.h says when each part goes in): the dialog
// starts it, empties it and gives it the turns of its message loop. A part
// the box cannot take stops the fill and empties the box, so that no text is
// ever shown cut short as if it were whole, and is thrown: as a lack of
// memory, or as a text longer than the box can hold.
class CEditFill {
public:
    explicit CEditFill(const CEdit& edit) : m_edit(edit) {}

    // Shows the text, or its first part.
    void Start(CString strText);
    // Adds the part that is due, if any; returns how long the loop may wait
    // for a message before the next turn (INFINITE: the text is whole).
    DWORD OnIdle();
    // Stops the fill and empties the box.
    void Empty();
    // The box said it has no room for more: no memory (EN_ERRSPACE), or at
    // its limit (EN_MAXTEXT).
    void OnBoxOutOfMemory() { m_boxFull = BoxFull::NoMemory; }
    void OnBoxAtLimit() { m_boxFull = BoxFull::AtLimit; }

private:
    enum class BoxFull { No, NoMemory, AtLimit };

    void Show(const CFillPart& part);

    const CEdit& m_edit;
    CFillSchedule m_schedule;
    BoxFull m_boxFull = BoxFull::No;
};
