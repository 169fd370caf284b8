#pragma once

#include "framework/portable/String.h"

#include <cstddef>

// The text the results box shows for the matching lines: each line with its
// tabs as line breaks, the entries divided by a line of hyphens.
class CResultText {
public:
    void AddLine(const char* pchLine, std::size_t nLength);
    std::size_t Lines() const { return m_nLines; }
    // The text without the separator after the last entry, and without the
    // room its growth left; empty when no line was added. The text moves
    // out: call once, at the end.
    CString Finish();

private:
    CString m_strText;
    std::size_t m_nLines = 0;
};
