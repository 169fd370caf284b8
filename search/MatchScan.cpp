#include "search/MatchScan.h"

#include "framework/portable/ByteBuffer.h"
#include "framework/portable/LineEnds.h"
#include "search/Fold.h"
#include "search/QueryAnchor.h"
#include "search/ResultText.h"
#include "search/SearchRun.h"

#include <algorithm>
#include <cstring>

namespace {

// Finds the matching lines of runs of raw lines: looks for candidates of
// the query's anchor and checks only the lines that hold one.
class CLineMatcher {
public:
    CLineMatcher(const CString& strFoldedQuery, const CQueryAnchor& anchor, const CLeadBytes& leadBytes)
        : m_strQuery(strFoldedQuery), m_anchor(anchor), m_leadBytes(leadBytes)
    {
    }

    void AddMatchesIn(const char* pchBegin, const char* pchEnd);
    CMatches Finish()
    {
        const std::size_t nLines = m_results.Lines();
        return {m_results.Finish(), nLines};
    }

private:
    bool LineMatchesFoldedWhole(const char* pchBegin, const char* pchEnd, const char* pchCandidate);
    const char* AddLine(const char* pchBegin, const char* pchEnd, const char* pchCandidate);

    const CString m_strQuery;
    const CQueryAnchor m_anchor;
    const CLeadBytes m_leadBytes;
    CByteBuffer m_folded;
    CResultText m_results;
};

void CLineMatcher::AddMatchesIn(const char* pchBegin, const char* pchEnd)
{
    const bool bDoubleByte = m_leadBytes.IsDoubleByte();
    CCandidates found;
    for (const char* pch = pchBegin; pch < pchEnd;) {
        m_anchor.FindCandidates(pchBegin, pch, pchEnd, found);
        // Candidates before pch are in a line added or checked whole already.
        for (std::size_t i = 0; i < found.nCount; ++i) {
            const char* const pchCandidate = found.apch[i];
            if (pchCandidate < pch)
                continue;
            if (bDoubleByte ? LineMatchesFoldedWhole(pchBegin, pchEnd, pchCandidate)
                            : MatchesAt(pchBegin, pchEnd, pchCandidate, m_strQuery, m_anchor.Index()))
                pch = AddLine(pchBegin, pchEnd, pchCandidate);
            else if (bDoubleByte)
                pch = NextLineStart(pchCandidate, pchEnd);
        }
        pch = std::max(pch, found.pchResume);
    }
}

// For double-byte code pages: a trail byte cannot be told from a lead byte
// going backwards, so the line of a candidate is folded whole from its start.
bool CLineMatcher::LineMatchesFoldedWhole(const char* pchBegin, const char* pchEnd, const char* pchCandidate)
{
    const char* const pchLine = LineStart(pchBegin, pchCandidate);
    const std::size_t nLength =
        LineTextLength(pchLine, static_cast<std::size_t>(NextLineStart(pchCandidate, pchEnd) - pchLine));
    m_folded.Grow(nLength);
    const std::size_t nFolded = FoldLine(pchLine, nLength, m_folded.Data(), m_leadBytes);
    return Matches(m_folded.Data(), nFolded, m_strQuery, m_leadBytes);
}

// Adds the line of the candidate to the results; returns where the next
// line starts.
const char* CLineMatcher::AddLine(const char* pchBegin, const char* pchEnd, const char* pchCandidate)
{
    const char* const pchLine = LineStart(pchBegin, pchCandidate);
    const char* const pchNextLine = NextLineStart(pchCandidate, pchEnd);
    m_results.AddLine(pchLine, LineTextLength(pchLine, static_cast<std::size_t>(pchNextLine - pchLine)));
    return pchNextLine;
}

}  // namespace

CMatches CollectMatches(CStdioFile& file, const CString& strFoldedQuery, const CLeadBytes& leadBytes)
{
    // Such a query matches nothing; the file is still read, so that it fails
    // as any other run would.
    const bool bCanMatch = std::memchr(strFoldedQuery.GetString(), kNoLineHolds, strFoldedQuery.GetLength()) == nullptr;
    CLineMatcher matcher(strFoldedQuery, ChooseAnchor(strFoldedQuery, file), leadBytes);
    file.ReadLines([&](const char* pchBegin, const char* pchEnd) {
        if (bCanMatch)
            matcher.AddMatchesIn(pchBegin, pchEnd);
    });
    return matcher.Finish();
}
