#pragma once

#include <array>
#include <cstddef>
#include <vector>

// Case is ignored by one rule everywhere: Unicode's simple case folding,
// one character to one (search/CaseTables.inc says which version). In an
// ANSI code page the same rule folds its single bytes, where the code page
// has the folded character as one byte (a table per code page, made with
// the other).

// The character that c folds to; c where it folds to none.
char32_t FoldCase(char32_t c);

// Every character that folds to the folded character f, f among them:
// "k" and "K" and the Kelvin sign for "k".
std::vector<char32_t> CaseVariantsOf(char32_t f);

// What each byte of an ANSI code page folds to, by number; the A-Z of ASCII
// alone for a code page without a table (UTF-8 as ANSI, or none).
using CodePageFolds = std::array<unsigned char, 256>;
const CodePageFolds& CodePageFoldsOf(unsigned nCodePage);
