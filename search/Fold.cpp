#include "search/Fold.h"

#include "framework/portable/LineEnds.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

char Lower(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + ('a' - 'A')) : ch;
}

bool IsDropped(char ch, bool bQuery)
{
    return IsDroppedCharacter(ch) || (bQuery && ch == '\t');
}

// "and" in any case, whole before pchEnd.
bool IsAnd(const char* pch, const char* pchEnd)
{
    return pchEnd - pch >= 3 && Lower(pch[0]) == 'a' && Lower(pch[1]) == 'n' && Lower(pch[2]) == 'd';
}

// "and" is removed before any character is, so "a.nd" keeps its letters;
// since "and" cannot overlap itself, every occurrence goes, exactly those
// that a left-to-right replace-all takes. A lead byte and its trail byte
// pass whole: the trail byte is never lower-cased and never starts an "and"
// ('n' and 'd' are never lead bytes).
std::size_t Fold(const char* pchIn, std::size_t nLength, char* pchOut, bool bQuery, const CLeadBytes& leadBytes)
{
    const char* pch = pchIn;
    const char* const pchEnd = pchIn + nLength;
    char* pchTo = pchOut;
    while (pch < pchEnd) {
        if (leadBytes.IsLead(static_cast<unsigned char>(*pch)) && pchEnd - pch >= 2) {
            *pchTo++ = *pch++;
            *pchTo++ = *pch++;
        } else if (IsAnd(pch, pchEnd)) {
            pch += 3;
        } else {
            if (!IsDropped(*pch, bQuery))
                *pchTo++ = Lower(*pch);
            ++pch;
        }
    }
    return static_cast<std::size_t>(pchTo - pchOut);
}

// True when the line rule folds the byte away: a dropped character, or a
// letter of an "and", which starts at most two bytes before it.
bool IsFoldedAway(const char* pchBegin, const char* pchEnd, const char* pch)
{
    if (IsDropped(*pch, false))
        return true;
    const char chLower = Lower(*pch);
    if (chLower != 'a' && chLower != 'n' && chLower != 'd')
        return false;
    for (const char* pchStart = pch - std::min<std::ptrdiff_t>(pch - pchBegin, 2); pchStart <= pch; ++pchStart) {
        if (IsAnd(pchStart, pchEnd))
            return true;
    }
    return false;
}

}  // namespace

CString FoldQuery(const CString& strQuery, const CLeadBytes& leadBytes)
{
    std::vector<char> folded(strQuery.GetLength() + 1);
    const std::size_t nLength = Fold(strQuery.GetString(), strQuery.GetLength(), folded.data(), true, leadBytes);
    return CString(folded.data(), nLength);
}

std::size_t FoldLine(const char* pchLine, std::size_t nLength, char* pchOut, const CLeadBytes& leadBytes)
{
    return Fold(pchLine, nLength, pchOut, false, leadBytes);
}

bool Matches(const char* pchFoldedLine, std::size_t nLength, const CString& strFoldedQuery,
             const CLeadBytes& leadBytes)
{
    const std::size_t nQuery = strFoldedQuery.GetLength();
    for (std::size_t i = 0; i + nQuery <= nLength;) {
        if (std::memcmp(pchFoldedLine + i, strFoldedQuery.GetString(), nQuery) == 0)
            return true;
        i += leadBytes.IsLead(static_cast<unsigned char>(pchFoldedLine[i])) && i + 1 < nLength ? 2 : 1;
    }
    return false;
}

bool MatchesAt(const char* pchBegin, const char* pchEnd, const char* pchAt, const CString& strFoldedQuery,
               std::size_t nAnchor)
{
    const char* const pszQuery = strFoldedQuery.GetString();
    if (IsLineEnd(pchAt, pchEnd) || Lower(*pchAt) != pszQuery[nAnchor] || IsFoldedAway(pchBegin, pchEnd, pchAt))
        return false;
    const char* pch = pchAt;
    for (std::size_t i = nAnchor + 1; i < strFoldedQuery.GetLength(); ++i) {
        do {
            if (IsLineEnd(++pch, pchEnd))
                return false;
        } while (IsFoldedAway(pchBegin, pchEnd, pch));
        if (Lower(*pch) != pszQuery[i])
            return false;
    }
    pch = pchAt;
    for (std::size_t i = nAnchor; i-- > 0;) {
        do {
            if (IsLineStart(pchBegin, pch))
                return false;
        } while (IsFoldedAway(pchBegin, pchEnd, --pch));
        if (Lower(*pch) != pszQuery[i])
            return false;
    }
    return true;
}
