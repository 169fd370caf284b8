#pragma once

// The scan for an anchor's candidates, one definition for every vector
// width. Included by two translation units, one of them built for AVX2: its
// functions have internal linkage and call nothing of the standard library,
// and the two types it shares with the search are trivial, so that no code
// of theirs is made at all. No code built for AVX2 can stand in for the
// other's.

#include <cstddef>
#include <cstdint>
#include <type_traits>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

// The raw bytes a scan looks for. The anchor's, with the bits of chAnchorMask
// set, so that the last byte of each raw form of its character (a letter
// in either case) gives chAnchor; its neighbours', in ASCII, with their case
// bit set ('A' as 'a', and, harmless in a first look, a few control bytes as
// punctuation).
struct CAnchorBytes {
    char chAnchor;
    char chAnchorMask;
    bool bBefore;  // the query has a character before the anchor
    char chBefore;
    bool bAfter;   // and one after it
    char chAfter;
};

// The candidates of one step, and where the scan goes on after them; set
// by each look for them.
struct CCandidates {
    static constexpr std::size_t kMax = 32;
    const char* apch[kMax];
    std::size_t nCount;
    const char* pchResume;
};

static_assert(std::is_trivial_v<CAnchorBytes> && std::is_trivial_v<CCandidates>);

namespace {

constexpr char kCaseBit = 0x20;

// One byte a step.
struct CScalarLanes {
    using Bytes = unsigned char;  // 0xFF in a lane that holds, else 0
    static constexpr int kWidth = 1;
    static Bytes Load(const char* pch, char chMask) { return static_cast<Bytes>(*pch | chMask); }
    static Bytes Equal(Bytes bytes, char ch) { return bytes == static_cast<Bytes>(ch) ? 0xFF : 0; }
    // Taken as signed: every byte from 0x80 on is below.
    static Bytes SignedAtMost(Bytes bytes, char ch) { return static_cast<signed char>(bytes) <= ch ? 0xFF : 0; }
    static Bytes Or(Bytes a, Bytes b) { return a | b; }
    static Bytes And(Bytes a, Bytes b) { return a & b; }
    static std::uint32_t Mask(Bytes bytes) { return bytes & 1u; }
};

#if defined(__SSE2__)
// kBytes bytes a step, in the compiler's vectors: SSE2 for 16, AVX2 for 32
// (in the translation unit built for it).
template <int kBytes>
struct CVectorLanes {
    typedef unsigned char Bytes __attribute__((vector_size(kBytes)));
    static constexpr int kWidth = kBytes;
    static Bytes Load(const char* pch, char chMask)
    {
        Bytes bytes;
        __builtin_memcpy(&bytes, pch, kBytes);
        return bytes | static_cast<unsigned char>(chMask);
    }
    static Bytes Equal(Bytes bytes, char ch) { return reinterpret_cast<Bytes>(bytes == static_cast<unsigned char>(ch)); }
    typedef signed char SignedBytes __attribute__((vector_size(kBytes)));
    static Bytes SignedAtMost(Bytes bytes, char ch)
    {
        return reinterpret_cast<Bytes>(reinterpret_cast<SignedBytes>(bytes) <= static_cast<signed char>(ch));
    }
    static Bytes Or(Bytes a, Bytes b) { return a | b; }
    static Bytes And(Bytes a, Bytes b) { return a & b; }
    static std::uint32_t Mask(Bytes bytes)
    {
        if constexpr (kBytes == 32)
            return static_cast<std::uint32_t>(_mm256_movemask_epi8(reinterpret_cast<__m256i>(bytes)));
        else
            return static_cast<std::uint32_t>(_mm_movemask_epi8(reinterpret_cast<__m128i>(bytes)));
    }
};
using CSse2Lanes = CVectorLanes<16>;
using CAvx2Lanes = CVectorLanes<32>;
static_assert(CCandidates::kMax >= CAvx2Lanes::kWidth, "every place of a step may be a candidate");
#endif

// What may stand next to the anchor in a line that matches: the query's
// character there in its ASCII form, the letter of an "and" that folding
// removes ('d' before, 'a' after), a dropped character, or a byte of a
// character beyond ASCII (any of its forms, or of the anchor's own). The
// dropped characters lie from space to colon, so all bytes up to the colon
// pass, with the digits and a little punctuation between (and the control
// bytes, whose case bit is set), and, taken as signed, every byte from 0x80
// on: a first look may let more through, never less.
template <class Lanes>
typename Lanes::Bytes MayStandNext(typename Lanes::Bytes bytes, char chQuery, char chOfAnd)
{
    return Lanes::Or(Lanes::Or(Lanes::Equal(bytes, chQuery), Lanes::Equal(bytes, chOfAnd)),
                     Lanes::SignedAtMost(bytes, ':'));
}

// Which of the kWidth places from pch are candidates; reads a byte before
// and a byte after them. A vector step tests the neighbours whether or not
// it holds the anchor: a common byte is in a good part of the steps, and a
// branch that goes either way costs more than the test. A single byte is
// mostly not the anchor.
template <class Lanes>
std::uint32_t CandidateMask(const CAnchorBytes& anchor, const char* pch)
{
    typename Lanes::Bytes hits = Lanes::Equal(Lanes::Load(pch, anchor.chAnchorMask), anchor.chAnchor);
    if constexpr (Lanes::kWidth == 1) {
        if (Lanes::Mask(hits) == 0)
            return 0;
    }
    if (anchor.bAfter)
        hits = Lanes::And(hits, MayStandNext<Lanes>(Lanes::Load(pch + 1, kCaseBit), anchor.chAfter, 'a'));
    if (anchor.bBefore)
        hits = Lanes::And(hits, MayStandNext<Lanes>(Lanes::Load(pch - 1, kCaseBit), anchor.chBefore, 'd'));
    return Lanes::Mask(hits);
}

// Fills found from the first step in [pch, pchEnd) that holds candidates,
// in order; returns where the steps stopped. Every step has a byte before
// (pch is past the run's start) and a byte after it.
template <class Lanes>
const char* FindCandidatesIn(const CAnchorBytes& anchor, const char* pch, const char* pchEnd, CCandidates& found)
{
    for (; pchEnd - pch > Lanes::kWidth; pch += Lanes::kWidth) {
        if (std::uint32_t nMask = CandidateMask<Lanes>(anchor, pch)) {
            for (; nMask != 0; nMask &= nMask - 1)
                found.apch[found.nCount++] = pch + __builtin_ctz(nMask);
            found.pchResume = pch + Lanes::kWidth;
            break;
        }
    }
    return pch;
}

}  // namespace

#if defined(__SSE2__)
// The same, thirty-two places a step: built for AVX2, to be called only on
// a processor that has it.
const char* FindCandidatesAvx2(const CAnchorBytes& anchor, const char* pch, const char* pchEnd, CCandidates& found);
#endif
