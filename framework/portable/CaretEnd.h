#pragma once

#include <cstddef>

// What an edit box tells of a selection, in its own units, for finding
// which end of it the caret is at: the end the user moves with Shift and
// an arrow key. EM_GETSEL gives the two ends in order, whichever it is.
struct CSelectionClues {
    std::size_t nStart;  // EM_GETSEL
    std::size_t nEnd;
    // EM_GETCARETINDEX, from Windows 10 1809; a box that does not know the
    // message answers 0.
    std::size_t nCaretIndex;
    // EM_LINEINDEX: the first character of the caret's line (-1), and of
    // the lines of the two ends.
    std::size_t nCaretLineStart;
    std::size_t nStartLineStart;
    std::size_t nEndLineStart;
    // The caret is drawn where nStart is, on a line in view: asked only of
    // a selection within one line, where nothing else tells.
    bool bCaretDrawnAtStart;
};

// The end of the selection where the caret is: the caret index where the
// box answers it, else the caret's line where the ends lie on two, else
// where the caret is drawn; the end after the start when nothing tells.
std::size_t CaretEndOfSelection(const CSelectionClues& clues);
