#pragma once

#include "framework/portable/String.h"

#include <cstddef>

// Folding reduces a query and a journal line to a comparable form: lower
// case (A-Z only), every "and" removed left to right without rescanning the
// result, then spaces, full stops, commas, colons and ampersands removed.

// A folded query shorter than this is not searched.
constexpr std::size_t kMinQueryLength = 2;

// The query also loses its tabs.
CString FoldQuery(const CString& strQuery);

// The line keeps its tab, so a query cannot match across abbreviation and
// title. Writes at most nLength bytes to pchOut and returns how many. A run
// of lines divided by LF folds to the folded lines divided by LF, so whole
// blocks of a file fold at once.
std::size_t FoldLine(const char* pchLine, std::size_t nLength, char* pchOut);
