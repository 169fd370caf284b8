#pragma once

#include <cstddef>
#include <string_view>

// Where Ctrl+Backspace deletes back to from the caret, as word processors
// and browsers have it (a plain edit box has no such key): over the spaces
// before the caret, then over the word before them, or over the run of
// punctuation there. Positions are UTF-16 units,
// as the box counts them; every character outside ASCII is part of a word
// (a surrogate pair is never cut in two), but the ideographic space of
// Japanese and Chinese text, which is a space.
std::size_t WordStartBefore(std::u16string_view text, std::size_t nCaret);
