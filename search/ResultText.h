#pragma once

#include "framework/portable/String.h"

#include <cstddef>

// The text the results box shows for the matching lines: each line with its
// tabs as line breaks, the entries divided by a line of hyphens.
class CResultText {
public:
    void AddLine(const char* pchLine, std::size_t nLength);
    // The text without the separator after the last entry, and without the
    // room its growth left; empty when no line was added. The text moves
    // out: call once, at the end.
    CString Finish();
    // The entries the finished text shows: the last is gone where it was
    // only line breaks, which went with the separator's.
    std::size_t Journals() const { return m_nJournals; }

private:
    CString m_strText;
    std::size_t m_nLastStart = 0;  // where the last entry starts
    std::size_t m_nJournals = 0;
};
