#include "search/QueryAnchor.h"

#include "search/Fold.h"
#include "search/VectorLevel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

// Bytes of journal lists from the commonest to the rarest, the two cases of
// a letter as one (counted on the CC0 collection). Bytes not listed are
// rarer still. CR comes first: it ends every line of a CR LF file.
const char kCommonestFirst[] = "\reaionrtsclmuhdpgyfbjvkwzxq()-'/1_#[]92;038\\|5\"476$`{}+>?^<!";

constexpr char kCaseBit = 0x20;

std::size_t Rarity(char ch)
{
    const char* pch = std::strchr(kCommonestFirst, ch | kCaseBit);
    return ch != 0 && pch ? static_cast<std::size_t>(pch - kCommonestFirst) : sizeof kCommonestFirst;
}

// Whether a byte (its case bit set) may stand next to the anchor: the
// query's byte, the letter of an "and" given, or a dropped character. The
// dropped characters, space to colon, are taken as a range, with the digits
// and a little punctuation between them (and, as the case bit is set, the
// control bytes): a first look may let more through, never less.
constexpr bool DroppedCharactersLieFromSpaceToColon()
{
    for (char ch : kDroppedCharacters) {
        if (ch < ' ' || ch > ':')
            return false;
    }
    return true;
}
static_assert(DroppedCharactersLieFromSpaceToColon());

bool MayStandNext(char ch, char chQuery, char chOfAnd)
{
    return ch == chQuery || ch == chOfAnd || static_cast<unsigned char>(ch) <= ':';
}

#if defined(__SSE2__)

// Sixteen or thirty-two bytes, each with the case bit set.
__m128i LoadCaseless(const char* pch)
{
    return _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pch)), _mm_set1_epi8(kCaseBit));
}

__attribute__((target("avx2"))) __m256i LoadCaseless256(const char* pch)
{
    return _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(pch)), _mm256_set1_epi8(kCaseBit));
}

// With the case bit set no byte is below space, so the range is all bytes up
// to the colon.
__m128i MayStandNext(__m128i bytes, char chQuery, char chOfAnd)
{
    const __m128i inRange = _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(':')), bytes);
    return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(chQuery)),
                                     _mm_cmpeq_epi8(bytes, _mm_set1_epi8(chOfAnd))),
                        inRange);
}

__attribute__((target("avx2"))) __m256i MayStandNext256(__m256i bytes, char chQuery, char chOfAnd)
{
    const __m256i inRange = _mm256_cmpeq_epi8(_mm256_min_epu8(bytes, _mm256_set1_epi8(':')), bytes);
    return _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(chQuery)),
                                           _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(chOfAnd))),
                           inRange);
}

// The places of the set bits, in order, after those already found.
void AddCandidates(const char* pch, std::uint32_t nMask, CCandidates& found)
{
    for (; nMask != 0; nMask &= nMask - 1)
        found.apch[found.nCount++] = pch + __builtin_ctz(nMask);
}

#endif

}  // namespace

CQueryAnchor::CQueryAnchor(const CString& strFoldedQuery, std::size_t nIndex) : m_nIndex(nIndex)
{
    const std::size_t nLength = strFoldedQuery.GetLength();
    m_chAnchor = strFoldedQuery[m_nIndex] | kCaseBit;
    m_bBefore = m_nIndex > 0;
    m_chBefore = m_bBefore ? strFoldedQuery[m_nIndex - 1] | kCaseBit : 0;
    m_bAfter = m_nIndex + 1 < nLength;
    m_chAfter = m_bAfter ? strFoldedQuery[m_nIndex + 1] | kCaseBit : 0;
}

bool CQueryAnchor::IsCandidate(const char* pchBegin, const char* pch, const char* pchEnd) const
{
    return (*pch | kCaseBit) == m_chAnchor &&
           (!m_bBefore || (pch > pchBegin && MayStandNext(pch[-1] | kCaseBit, m_chBefore, 'd'))) &&
           (!m_bAfter || (pchEnd - pch >= 2 && MayStandNext(pch[1] | kCaseBit, m_chAfter, 'a')));
}

void CQueryAnchor::FindCandidates(const char* pchBegin, const char* pch, const char* pchEnd,
                                  CCandidates& found) const
{
    found.nCount = 0;
    found.pchResume = pchEnd;
    // The vectors read a byte before each place they test: the run's first
    // place is tested alone.
    if (pch == pchBegin && pch < pchEnd) {
        if (IsCandidate(pchBegin, pch, pchEnd)) {
            found.apch[found.nCount++] = pch;
            found.pchResume = pch + 1;
            return;
        }
        ++pch;
    }
#if defined(__SSE2__)
    switch (CurrentVectorLevel()) {
    case VectorLevel::Avx2:
        pch = FindCandidatesAvx2(pch, pchEnd, found);
        break;
    case VectorLevel::Sse2:
        pch = FindCandidatesSse2(pch, pchEnd, found);
        break;
    case VectorLevel::Scalar:
        break;
    }
    if (found.nCount != 0)
        return;
#endif
    for (; pch < pchEnd; ++pch) {
        if (IsCandidate(pchBegin, pch, pchEnd)) {
            found.apch[found.nCount++] = pch;
            found.pchResume = pch + 1;
            return;
        }
    }
}

CQueryAnchor ChooseAnchor(const CString& strFoldedQuery, const char* pchBegin, const char* pchEnd)
{
    // Every place of a query typed is tried; a longer text pasted is tried
    // at its rarest bytes.
    constexpr std::size_t kTried = 32;
    std::vector<std::size_t> places(strFoldedQuery.GetLength());
    for (std::size_t i = 0; i < places.size(); ++i)
        places[i] = i;
    std::stable_sort(places.begin(), places.end(), [&](std::size_t a, std::size_t b) {
        return Rarity(strFoldedQuery[a]) > Rarity(strFoldedQuery[b]);
    });
    places.resize(std::min(places.size(), kTried));

    // Slices spread over the text, a sixty-fourth of it in all: a sorted list
    // differs from end to end.
    constexpr std::ptrdiff_t kSlices = 8;
    const std::ptrdiff_t kSliceBytes = std::clamp<std::ptrdiff_t>((pchEnd - pchBegin) / 512, 4096, 16384);
    const std::ptrdiff_t nSpread = std::max<std::ptrdiff_t>(pchEnd - pchBegin - kSliceBytes, 0);
    std::size_t nBest = places.front();
    std::size_t nFewest = SIZE_MAX;
    for (std::size_t nPlace : places) {
        const CQueryAnchor anchor(strFoldedQuery, nPlace);
        std::size_t nCandidates = 0;
        CCandidates found;
        for (std::ptrdiff_t nSlice = 0; nSlice < kSlices && nCandidates < nFewest; ++nSlice) {
            const char* const pchSlice = pchBegin + nSpread * nSlice / (kSlices - 1);
            const char* const pchSliceEnd = std::min(pchSlice + kSliceBytes, pchEnd);
            for (const char* pch = pchSlice; pch < pchSliceEnd; pch = found.pchResume) {
                anchor.FindCandidates(pchSlice, pch, pchSliceEnd, found);
                nCandidates += found.nCount;
            }
        }
        if (nCandidates < nFewest) {
            nFewest = nCandidates;
            nBest = nPlace;
        }
    }
    return CQueryAnchor(strFoldedQuery, nBest);
}

#if defined(__SSE2__)

// Sixteen places a step: the anchor first, and only where it is found, the
// bytes after and before it.
const char* CQueryAnchor::FindCandidatesSse2(const char* pch, const char* pchEnd, CCandidates& found) const
{
    const __m128i anchor = _mm_set1_epi8(m_chAnchor);
    for (; pchEnd - pch >= 17; pch += 16) {
        __m128i hits = _mm_cmpeq_epi8(LoadCaseless(pch), anchor);
        if (_mm_movemask_epi8(hits) == 0)
            continue;
        if (m_bAfter)
            hits = _mm_and_si128(hits, MayStandNext(LoadCaseless(pch + 1), m_chAfter, 'a'));
        if (m_bBefore)
            hits = _mm_and_si128(hits, MayStandNext(LoadCaseless(pch - 1), m_chBefore, 'd'));
        if (const std::uint32_t nMask = static_cast<std::uint32_t>(_mm_movemask_epi8(hits))) {
            AddCandidates(pch, nMask, found);
            found.pchResume = pch + 16;
            break;
        }
    }
    return pch;
}

// The same, thirty-two places a step.
__attribute__((target("avx2"))) const char* CQueryAnchor::FindCandidatesAvx2(const char* pch, const char* pchEnd,
                                                                             CCandidates& found) const
{
    const __m256i anchor = _mm256_set1_epi8(m_chAnchor);
    for (; pchEnd - pch >= 33; pch += 32) {
        __m256i hits = _mm256_cmpeq_epi8(LoadCaseless256(pch), anchor);
        if (_mm256_testz_si256(hits, hits))
            continue;
        // Both neighbours at once: a branch on the first would go either way.
        if (m_bAfter)
            hits = _mm256_and_si256(hits, MayStandNext256(LoadCaseless256(pch + 1), m_chAfter, 'a'));
        if (m_bBefore)
            hits = _mm256_and_si256(hits, MayStandNext256(LoadCaseless256(pch - 1), m_chBefore, 'd'));
        if (const std::uint32_t nMask = static_cast<std::uint32_t>(_mm256_movemask_epi8(hits))) {
            AddCandidates(pch, nMask, found);
            found.pchResume = pch + 32;
            break;
        }
    }
    return pch;
}

#endif
