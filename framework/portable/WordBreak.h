#pragma once

#include "framework/portable/LeadBytes.h"
#include "framework/portable/String.h"

#include <cstddef>

// Where Ctrl+Backspace deletes back to from the caret, as in the system's
// own boxes: over the spaces before the caret, then over the word before
// them, or over the run of punctuation there. A character of two bytes is
// part of a word and never cut in two.
std::size_t WordStartBefore(const CString& strText, std::size_t nCaret, const CLeadBytes& leadBytes);
