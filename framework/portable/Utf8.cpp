#include "framework/portable/Utf8.h"

#include <cstdint>

#include <emmintrin.h>

namespace {

bool IsTrail(unsigned char ch)
{
    return (ch & 0xC0) == 0x80;
}

// The trail bytes a lead byte calls for; 0 for a byte that leads nothing.
std::size_t TrailBytesOf(unsigned char ch)
{
    return ch >= 0xC2 && ch <= 0xDF ? 1 : ch >= 0xE0 && ch <= 0xEF ? 2 : ch >= 0xF0 && ch <= 0xF4 ? 3 : 0;
}

constexpr std::size_t kAsciiStep = 64;

// How many of the kAsciiStep bytes from pch are ASCII before the first that
// is not: all of them, or fewer. Both builds ask for SSE2, the 32-bit one
// with -msse2.
std::size_t AsciiBytesAt(const unsigned char* pch)
{
    const auto highBits = [&](std::size_t nAt) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pch + nAt));
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(bytes))) << nAt;
    };
    const std::uint64_t nHigh = highBits(0) | highBits(16) | highBits(32) | highBits(48);
    return nHigh == 0 ? kAsciiStep : static_cast<std::size_t>(__builtin_ctzll(nHigh));
}

}  // namespace

char32_t DecodeUtf8At(const unsigned char* pch, std::size_t nLeft, std::size_t& n, bool bSurrogates)
{
    n = 0;
    if (pch[0] < 0x80) {
        n = 1;
        return pch[0];
    }
    const std::size_t nTrail = TrailBytesOf(pch[0]);
    if (nTrail == 0 || nTrail >= nLeft)
        return 0;
    char32_t code = pch[0] & (0x3F >> nTrail);
    for (std::size_t i = 1; i <= nTrail; ++i) {
        if (!IsTrail(pch[i]))
            return 0;
        code = (code << 6) | (pch[i] & 0x3F);
    }
    static const char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (code < kLeast[nTrail] || code > 0x10FFFF || (!bSurrogates && code >= 0xD800 && code <= 0xDFFF))
        return 0;
    n = nTrail + 1;
    return code;
}

std::size_t EncodeUtf8(char32_t ch, char* pchOut)
{
    if (ch < 0x80) {
        *pchOut = static_cast<char>(ch);
        return 1;
    }
    const int nTrail = ch < 0x800 ? 1 : ch < 0x10000 ? 2 : 3;
    static const unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    *pchOut++ = static_cast<char>(kLead[nTrail] | (ch >> (6 * nTrail)));
    for (int i = nTrail - 1; i >= 0; --i)
        *pchOut++ = static_cast<char>(0x80 | ((ch >> (6 * i)) & 0x3F));
    return static_cast<std::size_t>(nTrail) + 1;
}

void AppendUtf8(CString& str, char32_t ch)
{
    char bytes[4];
    str.Append(bytes, EncodeUtf8(ch, bytes));
}

Utf8Form Utf8FormOf(const char* pchBegin, const char* pchEnd)
{
    const unsigned char* pch = reinterpret_cast<const unsigned char*>(pchBegin);
    const unsigned char* const pchStop = reinterpret_cast<const unsigned char*>(pchEnd);
    bool bBeyondAscii = false;
    while (pch < pchStop) {
        if (static_cast<std::size_t>(pchStop - pch) >= kAsciiStep) {
            const std::size_t nAscii = AsciiBytesAt(pch);
            pch += nAscii;
            if (nAscii == kAsciiStep)
                continue;
        } else if (*pch < 0x80) {
            ++pch;
            continue;
        }
        std::size_t n = 0;
        DecodeUtf8At(pch, static_cast<std::size_t>(pchStop - pch), n);
        if (n == 0)
            return Utf8Form::NotUtf8;
        bBeyondAscii = true;
        pch += n;
    }
    return bBeyondAscii ? Utf8Form::Utf8 : Utf8Form::Ascii;
}

Utf8Form Utf8FormOfSlice(const char* pchBegin, const char* pchEnd)
{
    const auto byteAt = [](const char* pch) { return static_cast<unsigned char>(*pch); };
    // The trail bytes of a character begun before the slice...
    for (int i = 0; i < 3 && pchBegin < pchEnd && IsTrail(byteAt(pchBegin)); ++i)
        ++pchBegin;
    // ...and a character the slice's end cuts: its lead byte and the trail
    // bytes it has, fewer than it calls for.
    for (const char* pch = pchEnd; pch > pchBegin && pchEnd - pch < 4;) {
        --pch;
        if (!IsTrail(byteAt(pch))) {
            if (static_cast<std::size_t>(pchEnd - pch) <= TrailBytesOf(byteAt(pch)))
                pchEnd = pch;
            break;
        }
    }
    return Utf8FormOf(pchBegin, pchEnd);
}
