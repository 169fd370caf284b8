#pragma once

#include "framework/portable/StdioFile.h"
#include "framework/portable/String.h"
#include "search/AnchorScan.h"

#include <cstddef>

// Where a search looks first: one byte of the folded query. Every byte of a
// folded query stands in the raw line it matches, in either case, so the
// raw bytes can be scanned for it at memory speed. The raw byte right
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
    std::size_t m_nIndex;
    CAnchorBytes m_bytes{};
};

// The anchor with the fewest candidates in slices spread over the file, the
// rarer byte on a tie: how rare a place of the query is depends on its
// neighbours as much as on its byte ("tetrahedron" is found fastest at its
// "a", between "r" and "h"), and a sorted list differs from end to end.
CQueryAnchor ChooseAnchor(const CString& strFoldedQuery, CStdioFile& file);
