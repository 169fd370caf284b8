#pragma once

#include "framework/portable/String.h"

#include <cstddef>

// The candidates of one vector step, and where the scan goes on after them.
struct CCandidates {
    static constexpr std::size_t kMax = 32;
    const char* apch[kMax];
    std::size_t nCount = 0;
    const char* pchResume = nullptr;
};

// Where a search looks first: the rarest byte of the folded query. Every
// byte of a folded query stands in the raw line it matches, in either case,
// so the raw bytes can be scanned for it at memory speed. The raw byte right
// before it is the query's byte before it, or one that folding removes (a
// dropped character, the "d" of an "and"); the byte after it likewise (or
// the "a" of an "and"). A candidate is a raw byte that passes all three.
class CQueryAnchor {
public:
    CQueryAnchor(const CString& strFoldedQuery, std::size_t nIndex);

    // The anchor's place in the folded query.
    std::size_t Index() const { return m_nIndex; }

    // The candidates of the first vector step in [pch, pchEnd) that holds
    // any, in order; none at the end. The run of lines starts at pchBegin.
    // Uses the widest vectors the processor has.
    void FindCandidates(const char* pchBegin, const char* pch, const char* pchEnd, CCandidates& found) const;

private:
    bool IsCandidate(const char* pchBegin, const char* pch, const char* pchEnd) const;
    // Fill found from the first step that holds candidates; return where
    // the steps stopped if none did.
    const char* FindCandidatesSse2(const char* pch, const char* pchEnd, CCandidates& found) const;
    const char* FindCandidatesAvx2(const char* pch, const char* pchEnd, CCandidates& found) const;

    // Bytes are compared with their case bit set: 'A' as 'a', and (harmless
    // in a first look) a few control bytes as punctuation.
    std::size_t m_nIndex;
    char m_chAnchor = 0;
    bool m_bBefore = false;  // the query has a byte before the anchor
    char m_chBefore = 0;
    bool m_bAfter = false;   // and one after it
    char m_chAfter = 0;
};

// The anchor with the fewest candidates in a sample of the text to search,
// the rarer byte on a tie: how rare a place of the query is depends on its
// neighbours as much as on its byte ("tetrahedron" is found fastest at its
// "a", between "r" and "h").
CQueryAnchor ChooseAnchor(const CString& strFoldedQuery, const char* pchBegin, const char* pchEnd);
