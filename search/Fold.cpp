#include "search/Fold.h"

#include <cstdint>
#include <vector>

#include "framework/portable/BytePacking.h"

namespace {

// What folding does to each byte: its lower-case form, and whether it goes.
struct CFoldTable {
    unsigned char lower[256];
    unsigned char keep[256];
};

constexpr CFoldTable MakeFoldTable(bool bDropTab)
{
    CFoldTable table{};
    for (int c = 0; c < 256; ++c) {
        table.lower[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
        const bool bDrop = c == ' ' || c == '.' || c == ',' || c == ':' || c == '&' || (bDropTab && c == '\t');
        table.keep[c] = bDrop ? 0 : 1;
    }
    return table;
}

constexpr CFoldTable g_queryTable = MakeFoldTable(true);
constexpr CFoldTable g_lineTable = MakeFoldTable(false);

// "and" is removed before any character, so "a.nd" keeps its letters; and
// since "and" cannot overlap itself, one left-to-right pass finds exactly
// the occurrences that a replace-all would. nSkip bytes at the start belong
// to an "and" found before.
std::size_t FoldScalar(const unsigned char* pIn, std::size_t nLength, std::size_t nSkip, char* pchOut,
                       const CFoldTable& table)
{
    std::size_t nOut = 0;
    std::size_t i = nSkip;
    while (i < nLength) {
        const unsigned char c = table.lower[pIn[i]];
        if (c == 'a' && i + 2 < nLength && table.lower[pIn[i + 1]] == 'n' && table.lower[pIn[i + 2]] == 'd') {
            i += 3;
            continue;
        }
        pchOut[nOut] = static_cast<char>(c);
        nOut += table.keep[pIn[i]];
        ++i;
    }
    return nOut;
}

#if defined(__SSE2__)

// A-Z to a-z, sixteen bytes at once.
__m128i LowerCase(__m128i bytes)
{
    // Bytes shifted so that 'A'..'Z' are the 26 smallest signed values.
    const __m128i shifted = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(-128 - 'A')));
    const __m128i upper = _mm_cmplt_epi8(shifted, _mm_set1_epi8(-128 + 26));
    return _mm_or_si128(bytes, _mm_and_si128(upper, _mm_set1_epi8(0x20)));
}

__m128i Equal(__m128i bytes, char ch)
{
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(ch));
}

unsigned Mask(__m128i flags)
{
    return static_cast<unsigned>(_mm_movemask_epi8(flags));
}

// The bytes of a block that folding drops: the removed characters and every
// "and". nAndCarry holds the bytes of this block in an "and" that started in
// the block before, and takes those of the next.
std::uint32_t DroppedBytes(const unsigned char* pIn, bool bDropTab, std::uint32_t& nAndCarry, __m128i& lowered)
{
    lowered = LowerCase(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pIn)));
    // Setting bit 5 lower-cases a letter and makes no other byte 'n' or 'd'.
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i next1 = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pIn + 1)), caseBit);
    const __m128i next2 = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pIn + 2)), caseBit);
    __m128i removed = _mm_or_si128(_mm_or_si128(Equal(lowered, ' '), Equal(lowered, '.')),
                                   _mm_or_si128(_mm_or_si128(Equal(lowered, ','), Equal(lowered, ':')),
                                                Equal(lowered, '&')));
    if (bDropTab)
        removed = _mm_or_si128(removed, Equal(lowered, '\t'));
    const std::uint32_t nAnd = Mask(_mm_and_si128(_mm_and_si128(Equal(lowered, 'a'), Equal(next1, 'n')),
                                                  Equal(next2, 'd')));
    const std::uint32_t nAndBytes = nAnd | nAnd << 1 | nAnd << 2 | nAndCarry;
    nAndCarry = nAndBytes >> 16;
    return (Mask(removed) | nAndBytes) & 0xFFFF;
}

// Bytes of an "and" from the last block that the scalar rest must skip.
std::size_t CarriedSkip(std::uint32_t nAndCarry)
{
    return nAndCarry == 0 ? 0 : nAndCarry == 1 ? 1 : 2;
}

// Sixteen bytes a step, the kept ones packed by byte shuffles.
__attribute__((target("ssse3"))) std::size_t FoldSsse3(const unsigned char* pIn, std::size_t nLength,
                                                       char* pchOut, const CFoldTable& table, bool bDropTab)
{
    std::size_t nOut = 0;
    std::size_t i = 0;
    std::uint32_t nAndCarry = 0;
    for (; i + 18 <= nLength; i += 16) {
        __m128i lowered;
        const std::uint32_t nKeep = ~DroppedBytes(pIn + i, bDropTab, nAndCarry, lowered) & 0xFFFF;
        nOut += PackKeptBytes(lowered, nKeep, pchOut + nOut);
    }
    return nOut + FoldScalar(pIn + i, nLength - i, CarriedSkip(nAndCarry), pchOut + nOut, table);
}

std::size_t Fold(const char* pchIn, std::size_t nLength, char* pchOut, const CFoldTable& table, bool bDropTab)
{
    const unsigned char* pIn = reinterpret_cast<const unsigned char*>(pchIn);
    return CanPackBytes() ? FoldSsse3(pIn, nLength, pchOut, table, bDropTab)
                          : FoldScalar(pIn, nLength, 0, pchOut, table);
}

#else

std::size_t Fold(const char* pchIn, std::size_t nLength, char* pchOut, const CFoldTable& table, bool /*bDropTab*/)
{
    return FoldScalar(reinterpret_cast<const unsigned char*>(pchIn), nLength, 0, pchOut, table);
}

#endif

}  // namespace

CString FoldQuery(const CString& strQuery)
{
    std::vector<char> folded(strQuery.GetLength() + 1);
    const std::size_t nLength = Fold(strQuery.GetString(), strQuery.GetLength(), folded.data(), g_queryTable, true);
    return CString(folded.data(), nLength);
}

std::size_t FoldLine(const char* pchLine, std::size_t nLength, char* pchOut)
{
    return Fold(pchLine, nLength, pchOut, g_lineTable, false);
}
