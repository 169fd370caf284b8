#include "search/MatchScan.h"

#include "framework/portable/ByteBuffer.h"
#include "framework/portable/LineEnds.h"
#include "search/Fold.h"
#include "search/QueryAnchor.h"
#include "search/ResultText.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Finds the matching lines of runs of raw lines: looks for candidates of
// the query's anchor and checks only the lines that hold one.
class CLineMatcher {
public:
    CLineMatcher(const CString& strFoldedQuery, const CListCoding& coding, CListSample& sample)
        : m_strQuery(strFoldedQuery),
          m_units(FoldedUnitsOf(strFoldedQuery, coding)),
          m_coding(coding),
          m_anchor(ChooseAnchor(m_units, coding, sample))
    {
    }

    void AddMatchesIn(const char* pchBegin, const char* pchEnd);
    CMatches Finish()
    {
        CString strText = m_results.Finish();
        return {std::move(strText), m_results.Journals()};
    }

private:
    bool LineMatchesFoldedWhole(const char* pchBegin, const char* pchEnd, const char* pchCandidate);
    const char* AddLine(const char* pchBegin, const char* pchEnd, const char* pchCandidate);

    const CString m_strQuery;
    const std::vector<char32_t> m_units;
    const CListCoding m_coding;
    const CQueryAnchor m_anchor;
    CByteBuffer m_folded;
    CResultText m_results;
};

void CLineMatcher::AddMatchesIn(const char* pchBegin, const char* pchEnd)
{
    const bool bDoubleByte = m_coding.IsDoubleByte();
    CCandidates found;
    for (const char* pch = pchBegin; pch < pchEnd;) {
        m_anchor.FindCandidates(pchBegin, pch, pchEnd, found);
        // Candidates before pch are in a line added or checked whole already.
        for (std::size_t i = 0; i < found.nCount; ++i) {
            const char* const pchCandidate = found.apch[i];
            if (pchCandidate < pch)
                continue;
            if (bDoubleByte ? LineMatchesFoldedWhole(pchBegin, pchEnd, pchCandidate)
                            : MatchesAt(pchBegin, pchEnd, pchCandidate, m_units, m_anchor.Index(), m_coding))
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
    m_folded.Grow(2 * nLength);
    const std::size_t nFolded = FoldLine(pchLine, nLength, m_folded.Data(), m_coding);
    return Matches(m_folded.Data(), nFolded, m_strQuery, m_coding);
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

std::optional<CMatches> CollectMatches(CStdioFile& file, const std::optional<CString>& strFoldedQuery,
                                       const CListCoding& coding, CListSample& sample, const BlockCheck& check)
{
    std::optional<CLineMatcher> matcher;
    if (strFoldedQuery)
        matcher.emplace(*strFoldedQuery, coding, sample);
    const bool bWhole = file.ReadLines([&](const char* pchBegin, const char* pchEnd) {
        if (!check(pchBegin, pchEnd))
            return false;
        if (matcher)
            matcher->AddMatchesIn(pchBegin, pchEnd);
        return true;
    });
    if (!bWhole)
        return std::nullopt;
    return matcher ? matcher->Finish() : CMatches{CString(), 0};
}
