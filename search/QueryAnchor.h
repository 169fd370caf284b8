#pragma once

#include "search/AnchorScan.h"
#include "search/ListCoding.h"
#include "search/ListSample.h"

#include <cstddef>
#include <vector>

// Where a search looks first: one character of the folded query, found by
// its last byte. Every character of a folded query stands in the raw line
// it matches in a form that folds to it (a letter in either case, the
// Kelvin sign for "k"), so the raw bytes can be scanned for the last byte
// of any such form at memory speed. The raw byte right before it is the
// last of the query's character before it, or one that folding removes (a
// dropped character, the "d" of an "and"); the byte after it likewise the
// first of the next (or the "a" of an "and"). A candidate is a raw byte
// that passes all three; a neighbour whose forms differ in more than case
// is not looked at.
class CQueryAnchor {
public:
    // At unit nIndex of the folded query (FoldedUnitsOf).
    CQueryAnchor(const std::vector<char32_t>& query, std::size_t nIndex, const CListCoding& coding);

    // The anchor's place in the folded query.
    std::size_t Index() const { return m_nIndex; }

    // The candidates of the first vector step in [pch, pchEnd) that holds
    // any, in order; none at the end. The run of lines starts at pchBegin.
    // Uses the widest vectors the processor has.
    void FindCandidates(const char* pchBegin, const char* pch, const char* pchEnd, CCandidates& found) const;

private:
    std::size_t m_nIndex;
    CAnchorBytes m_bytes{};
};

// The anchor with the fewest candidates in the list's sample, the rarer
// byte on a tie: how rare a place of the query is depends on its
// neighbours as much as on its byte ("tetrahedron" is found fastest at its
// "a", between "r" and "h"), and a sorted list differs from end to end.
CQueryAnchor ChooseAnchor(const std::vector<char32_t>& query, const CListCoding& coding, CListSample& sample);
