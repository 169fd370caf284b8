#include "framework/portable/CaretEnd.h"

std::size_t CaretEndOfSelection(const CSelectionClues& clues)
{
    if (clues.nStart == clues.nEnd)
        return clues.nEnd;
    // 0 is also what a box answers that does not know the message.
    if (clues.nCaretIndex != 0 && (clues.nCaretIndex == clues.nStart || clues.nCaretIndex == clues.nEnd))
        return clues.nCaretIndex;
    if (clues.nStartLineStart != clues.nEndLineStart)
        return clues.nCaretLineStart == clues.nStartLineStart ? clues.nStart : clues.nEnd;
    return clues.bCaretDrawnAtStart ? clues.nStart : clues.nEnd;
}
