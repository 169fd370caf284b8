#pragma once

// Packing the kept bytes of a sixteen-byte block together, for the passes
// that drop bytes from large buffers (line ends, folding). x86 only.

#if defined(__SSE2__)

#include <cstddef>
#include <cstdint>
#include <emmintrin.h>
#include <tmmintrin.h>

// Positions of the set bits of each byte value, and how many there are:
// the shuffles that pack the kept bytes of eight together.
struct CPackTable {
    std::uint64_t shuffle[256];
    unsigned char count[256];
};

constexpr CPackTable MakePackTable()
{
    CPackTable table{};
    for (unsigned nMask = 0; nMask < 256; ++nMask) {
        unsigned nCount = 0;
        for (unsigned nBit = 0; nBit < 8; ++nBit) {
            if (nMask >> nBit & 1)
                table.shuffle[nMask] |= static_cast<std::uint64_t>(nBit) << (8 * nCount++);
        }
        table.count[nMask] = static_cast<unsigned char>(nCount);
    }
    return table;
}

inline constexpr CPackTable g_packTable = MakePackTable();

// True where the processor has the byte shuffle (SSSE3) that packing needs.
inline bool CanPackBytes()
{
    static const bool s_bSsse3 = __builtin_cpu_supports("ssse3");
    return s_bSsse3;
}

// Writes the bytes of the block whose bits are set in nKeep (16 bits) to
// pchOut, in order; returns how many. Stores 16 bytes in all, so pchOut
// needs room for 16 whatever the count.
__attribute__((target("ssse3"))) inline std::size_t PackKeptBytes(__m128i bytes, unsigned nKeep, char* pchOut)
{
    const unsigned nLow = nKeep & 0xFF;
    const unsigned nHigh = nKeep >> 8 & 0xFF;
    const __m128i shuffle = _mm_add_epi8(_mm_set_epi64x(static_cast<long long>(g_packTable.shuffle[nHigh]),
                                                        static_cast<long long>(g_packTable.shuffle[nLow])),
                                         _mm_set_epi64x(0x0808080808080808, 0));
    const __m128i packed = _mm_shuffle_epi8(bytes, shuffle);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(pchOut), packed);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(pchOut + g_packTable.count[nLow]), _mm_unpackhi_epi64(packed, packed));
    return g_packTable.count[nLow] + g_packTable.count[nHigh];
}

#endif
