#include "search/Fold.h"

#include "framework/portable/LineEnds.h"
#include "framework/portable/Utf8.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// "and" is ASCII, and no other character folds into it.
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

bool IsTrail(char ch)
{
    return (static_cast<unsigned char>(ch) & 0xC0) == 0x80;
}

// "and" is removed before any character is, so "a.nd" keeps its letters;
// since "and" cannot overlap itself, every occurrence goes, exactly those
// that a left-to-right replace-all takes. A character of more than one
// byte passes with its case folded: a trail byte is never lower-cased and
// never starts an "and" ('n' and 'd' are never lead bytes, and no trail
// byte of UTF-8 is ASCII). Bytes that are no UTF-8 pass as they are.
std::size_t Fold(const char* pchIn, std::size_t nLength, char* pchOut, bool bQuery, const CListCoding& coding)
{
    const char* pch = pchIn;
    const char* const pchEnd = pchIn + nLength;
    char* pchTo = pchOut;
    while (pch < pchEnd) {
        const unsigned char ch = static_cast<unsigned char>(*pch);
        std::size_t n = 0;
        if (ch >= 0x80 && coding.IsUtf8()) {
            const char32_t c =
                DecodeUtf8At(reinterpret_cast<const unsigned char*>(pch), static_cast<std::size_t>(pchEnd - pch), n);
            if (n == 0) {
                *pchTo++ = *pch++;
                continue;
            }
            pchTo += EncodeUtf8(FoldCase(c), pchTo);
            pch += n;
        } else if (coding.IsLead(ch) && pchEnd - pch >= 2) {
            *pchTo++ = *pch++;
            *pchTo++ = *pch++;
        } else if (IsAnd(pch, pchEnd)) {
            pch += 3;
        } else {
            if (!IsDropped(*pch, bQuery))
                *pchTo++ = static_cast<char>(coding.FoldByte(ch));
            ++pch;
        }
    }
    return static_cast<std::size_t>(pchTo - pchOut);
}

// What the line rule may fold away, by byte: a dropped character, or a
// letter that may be part of an "and".
enum FoldAway : unsigned char { kKept, kDropped, kOfAnd };

constexpr std::array<FoldAway, 256> MakeFoldAways()
{
    std::array<FoldAway, 256> table{};
    for (const char ch : kDroppedCharacters)
        table[static_cast<unsigned char>(ch)] = kDropped;
    for (const char ch : {'a', 'n', 'd', 'A', 'N', 'D'})
        table[static_cast<unsigned char>(ch)] = kOfAnd;
    return table;
}
constexpr std::array<FoldAway, 256> kFoldAways = MakeFoldAways();

// True when the line rule folds the character at pch away: a dropped
// character, or a letter of an "and", which starts at most two bytes
// before it.
bool IsFoldedAway(const char* pchBegin, const char* pchEnd, const char* pch)
{
    const FoldAway kind = kFoldAways[static_cast<unsigned char>(*pch)];
    if (kind != kOfAnd)
        return kind == kDropped;
    for (const char* pchStart = pch - std::min<std::ptrdiff_t>(pch - pchBegin, 2); pchStart <= pch; ++pchStart) {
        if (IsAnd(pchStart, pchEnd))
            return true;
    }
    return false;
}

// The characters of a single-byte code page: a byte each, folded by its
// table.
struct CByteCharacters {
    const CListCoding& coding;

    char32_t FoldedAt(const char* pch, const char*& pchNext) const
    {
        pchNext = pch + 1;
        return coding.FoldByte(static_cast<unsigned char>(*pch));
    }
    const char* StartBefore(const char* pch) const { return pch - 1; }
    const char* StartOf(const char*, const char* pchAt) const { return pchAt; }
};

// The characters of well-formed UTF-8, folded by Unicode's rule.
struct CUtf8Characters {
    char32_t FoldedAt(const char* pch, const char*& pchNext) const
    {
        if ((*pch & 0x80) == 0) {
            pchNext = pch + 1;
            return static_cast<unsigned char>(Lower(*pch));
        }
        std::size_t n = 0;
        const char32_t c = DecodeUtf8At(reinterpret_cast<const unsigned char*>(pch), 4, n);
        pchNext = pch + std::max<std::size_t>(n, 1);
        return FoldCase(c);
    }
    const char* StartBefore(const char* pch) const
    {
        do
            --pch;
        while (IsTrail(*pch));
        return pch;
    }
    // The start of the character that holds pchAt, within the run.
    const char* StartOf(const char* pchBegin, const char* pchAt) const
    {
        while (pchAt > pchBegin && IsTrail(*pchAt))
            --pchAt;
        return pchAt;
    }
};

template <class TCharacters>
bool MatchesAtIn(const char* pchBegin, const char* pchEnd, const char* pchAt, const std::vector<char32_t>& query,
                 std::size_t nAnchor, const TCharacters& characters)
{
    const char* pch = characters.StartOf(pchBegin, pchAt);
    const char* pchNext = nullptr;
    if (IsLineEnd(pch, pchEnd) || characters.FoldedAt(pch, pchNext) != query[nAnchor] || pchNext != pchAt + 1 ||
        IsFoldedAway(pchBegin, pchEnd, pch))
        return false;
    const char* const pchAnchor = pch;
    for (std::size_t i = nAnchor + 1; i < query.size(); ++i) {
        for (pch = pchNext; !IsLineEnd(pch, pchEnd) && IsFoldedAway(pchBegin, pchEnd, pch);)
            ++pch;  // what folds away is one byte
        if (IsLineEnd(pch, pchEnd) || characters.FoldedAt(pch, pchNext) != query[i])
            return false;
    }
    pch = pchAnchor;
    for (std::size_t i = nAnchor; i-- > 0;) {
        do {
            if (IsLineStart(pchBegin, pch))
                return false;
            pch = characters.StartBefore(pch);
        } while (IsFoldedAway(pchBegin, pchEnd, pch));
        if (characters.FoldedAt(pch, pchNext) != query[i])
            return false;
    }
    return true;
}

}  // namespace

CString FoldQuery(const CString& strQuery, const CListCoding& coding)
{
    std::vector<char> folded(2 * strQuery.GetLength() + 1);
    const std::size_t nLength = Fold(strQuery.GetString(), strQuery.GetLength(), folded.data(), true, coding);
    return CString(folded.data(), nLength);
}

std::size_t FoldLine(const char* pchLine, std::size_t nLength, char* pchOut, const CListCoding& coding)
{
    return Fold(pchLine, nLength, pchOut, false, coding);
}

bool Matches(const char* pchFoldedLine, std::size_t nLength, const CString& strFoldedQuery, const CListCoding& coding)
{
    // Where the line's character starting at i ends.
    const auto next = [&](std::size_t i) {
        return i + (coding.IsLead(static_cast<unsigned char>(pchFoldedLine[i])) && i + 1 < nLength ? 2 : 1);
    };
    const std::size_t nQuery = strFoldedQuery.GetLength();
    for (std::size_t i = 0; i + nQuery <= nLength; i = next(i)) {
        if (std::memcmp(pchFoldedLine + i, strFoldedQuery.GetString(), nQuery) != 0)
            continue;
        // And ends with one: a lead byte that ends the query is no half of
        // the line's character of two.
        std::size_t nEnd = i;
        while (nEnd < i + nQuery)
            nEnd = next(nEnd);
        if (nEnd == i + nQuery)
            return true;
    }
    return false;
}

std::vector<char32_t> FoldedUnitsOf(const CString& strFolded, const CListCoding& coding)
{
    std::vector<char32_t> units;
    const unsigned char* const pch = reinterpret_cast<const unsigned char*>(strFolded.GetString());
    for (std::size_t i = 0, n = 1; i < strFolded.GetLength(); i += n) {
        units.push_back(coding.IsUtf8() ? DecodeUtf8At(pch + i, strFolded.GetLength() - i, n) : pch[i]);
        n = std::max<std::size_t>(n, 1);
    }
    return units;
}

bool MatchesAt(const char* pchBegin, const char* pchEnd, const char* pchAt, const std::vector<char32_t>& query,
               std::size_t nAnchor, const CListCoding& coding)
{
    if (coding.IsUtf8())
        return MatchesAtIn(pchBegin, pchEnd, pchAt, query, nAnchor, CUtf8Characters());
    return MatchesAtIn(pchBegin, pchEnd, pchAt, query, nAnchor, CByteCharacters{coding});
}
