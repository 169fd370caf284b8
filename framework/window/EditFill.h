#pragma once

#include "framework/portable/String.h"
#include "framework/window/Edit.h"

#include <cstddef>

// A text shown in an edit box in steps, as a state of the window that owns
// the box: the first screenful at once, then a part a turn of its message
// loop, so that a large text neither keeps the first lines waiting nor
// freezes the window. A new text or Stop ends the fill.
class CEditFill {
public:
    // Shows the text, or its first screenful; true while more is to come.
    bool Start(const CEdit& edit, CString strText);
    // Adds the next part; true while more is to come.
    bool Step();
    void Stop();
    bool IsFilling() const { return m_nShown < m_strText.GetLength(); }

private:
    CEdit m_edit;
    CString m_strText;
    std::size_t m_nShown = 0;
};
