#pragma once

#include "framework/portable/LeadBytes.h"
#include "framework/portable/String.h"

#include <cstddef>

// Folding reduces a query and a journal line to a comparable form: lower
// case (A-Z only), every "and" removed left to right without rescanning the
// result, then spaces, full stops, commas, colons and ampersands removed. In
// a double-byte code page a character of two bytes passes whole.

// The characters both rules drop; the query rule drops tabs too.
constexpr char kDroppedCharacters[] = {' ', '.', ',', ':', '&'};

constexpr bool IsDroppedCharacter(char ch)
{
    for (char chDropped : kDroppedCharacters) {
        if (ch == chDropped)
            return true;
    }
    return false;
}

// A folded query shorter than this is not searched.
constexpr std::size_t kMinQueryLength = 2;

// The query also loses its tabs.
CString FoldQuery(const CString& strQuery, const CLeadBytes& leadBytes = CLeadBytes());

// The line keeps its tab, so a query cannot match across abbreviation and
// title. Writes at most nLength bytes to pchOut and returns how many.
std::size_t FoldLine(const char* pchLine, std::size_t nLength, char* pchOut,
                     const CLeadBytes& leadBytes = CLeadBytes());

// True when the folded query occurs in the folded line, starting on one of
// its characters (never on the trail byte of a double-byte character).
bool Matches(const char* pchFoldedLine, std::size_t nLength, const CString& strFoldedQuery,
             const CLeadBytes& leadBytes);

// For single-byte code pages: true when the line that holds pchAt, in the
// run of raw lines [pchBegin, pchEnd), matches the folded query with the
// query's byte nAnchor folded from the byte at pchAt. Folding is local, so
// the line is walked from there in both directions, never folded whole.
bool MatchesAt(const char* pchBegin, const char* pchEnd, const char* pchAt, const CString& strFoldedQuery,
               std::size_t nAnchor);
