#pragma once

#include "framework/portable/String.h"
#include "search/ListCoding.h"

#include <cstddef>
#include <vector>

// Folding reduces a query and a journal line to a comparable form: case
// folded (CaseFold.h), every "and" removed left to right without rescanning
// the result, then spaces, full stops, commas, colons and ampersands
// removed. What goes is ASCII and never part of a longer character: a
// character beyond ASCII in UTF-8, or of two bytes in a double-byte code
// page, only has its case folded.

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

// A folded query shorter than this, in bytes of the list's coding as the
// text's length always counted them, is not searched.
constexpr std::size_t kMinQueryLength = 2;

// The query also loses its tabs.
CString FoldQuery(const CString& strQuery, const CListCoding& coding);

// The line keeps its tab, so a query cannot match across abbreviation and
// title. Writes at most 2 * nLength bytes to pchOut (a character may fold
// to a longer one in UTF-8) and returns how many.
std::size_t FoldLine(const char* pchLine, std::size_t nLength, char* pchOut, const CListCoding& coding);

// True when the folded query occurs in the folded line as whole characters
// of it (never from or to the trail byte of a double-byte character).
bool Matches(const char* pchFoldedLine, std::size_t nLength, const CString& strFoldedQuery, const CListCoding& coding);

// A folded text as the walk below compares it, a unit a character: its
// code points in UTF-8, its bytes in an ANSI code page.
std::vector<char32_t> FoldedUnitsOf(const CString& strFolded, const CListCoding& coding);

// For UTF-8 and single-byte code pages: true when the line that holds pchAt,
// in the run of raw lines [pchBegin, pchEnd), matches the folded query with
// its unit nAnchor folded from the character whose last byte is pchAt.
// Folding is local, so the line is walked from there in both directions,
// never folded whole. UTF-8 must be well-formed.
bool MatchesAt(const char* pchBegin, const char* pchEnd, const char* pchAt, const std::vector<char32_t>& query,
               std::size_t nAnchor, const CListCoding& coding);
