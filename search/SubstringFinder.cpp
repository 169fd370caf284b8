#include "search/SubstringFinder.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

const char* FindScalar(const char* pchBegin, const char* pchEnd, const std::string& needle)
{
    const std::size_t nNeedle = needle.size();
    const char chFirst = needle[0];
    const char* pch = pchBegin;
    while (pchEnd - pch >= static_cast<std::ptrdiff_t>(nNeedle)) {
        pch = static_cast<const char*>(std::memchr(pch, chFirst, pchEnd - pch - nNeedle + 1));
        if (pch == nullptr)
            return nullptr;
        if (std::memcmp(pch + 1, needle.data() + 1, nNeedle - 1) == 0)
            return pch;
        ++pch;
    }
    return nullptr;
}

}  // namespace

const char* CSubstringFinder::Find(const char* pchBegin, const char* pchEnd) const
{
    const std::size_t nNeedle = m_needle.size();
    const char* pch = pchBegin;
#if defined(__SSE2__)
    // Sixteen candidate starts at a time: keep those where both the first and
    // the last byte of the needle are in place, then compare the middle.
    const __m128i first = _mm_set1_epi8(m_needle[0]);
    const __m128i last = _mm_set1_epi8(m_needle[nNeedle - 1]);
    while (pchEnd - pch >= static_cast<std::ptrdiff_t>(nNeedle - 1 + 16)) {
        const __m128i blockFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pch));
        const __m128i blockLast = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pch + nNeedle - 1));
        unsigned nMask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(first, blockFirst), _mm_cmpeq_epi8(last, blockLast))));
        while (nMask != 0) {
            const unsigned nBit = static_cast<unsigned>(__builtin_ctz(nMask));
            if (std::memcmp(pch + nBit + 1, m_needle.data() + 1, nNeedle - 2) == 0)
                return pch + nBit;
            nMask &= nMask - 1;
        }
        pch += 16;
    }
#endif
    return FindScalar(pch, pchEnd, m_needle);
}
