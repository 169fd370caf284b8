#include "search/MatchScan.h"

#include "framework/portable/ByteBuffer.h"
#include "search/Fold.h"
#include "search/QueryAnchor.h"
#include "search/ResultText.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// Finds the matching lines of runs of raw lines: scans for candidates of
// the query's anchor and checks only the lines that hold one.
class CLineMatcher {
public:
    CLineMatcher(const CString& strFoldedQuery, const CLeadBytes& leadBytes)
        : m_strQuery(strFoldedQuery), m_leadBytes(leadBytes)
    {
    }

    void Scan(const char* pchBegin, const char* pchEnd);
    CString Finish() { return m_results.Finish(); }

private:
    bool LineMatchesByCharacter(const char* pchBegin, const char* pchEnd, const char* pchCandidate);
    const char* AddLine(const char* pchBegin, const char* pchEnd, const char* pchCandidate);

    const CString m_strQuery;
    const CLeadBytes m_leadBytes;
    std::optional<CQueryAnchor> m_anchor;
    CByteBuffer m_line;  // a line copied, or folded
    CResultText m_results;
};

const char* LineStart(const char* pchBegin, const char* pch)
{
    while (pch > pchBegin && pch[-1] != '\n')
        --pch;
    return pch;
}

const char* LineEnd(const char* pch, const char* pchEnd)
{
    const void* pLf = std::memchr(pch, '\n', static_cast<std::size_t>(pchEnd - pch));
    return pLf ? static_cast<const char*>(pLf) + 1 : pchEnd;
}

void CLineMatcher::Scan(const char* pchBegin, const char* pchEnd)
{
    // A large run (a part of a mapped file) gets an anchor of its own, as a
    // sorted list differs from part to part; small runs (blocks) share the
    // first one's.
    constexpr std::ptrdiff_t kOwnAnchorBytes = 1 << 20;
    if (!m_anchor || pchEnd - pchBegin >= kOwnAnchorBytes)
        m_anchor = ChooseAnchor(m_strQuery, pchBegin, pchEnd);
    const bool bDoubleByte = m_leadBytes.IsDoubleByte();
    CCandidates found;
    for (const char* pch = pchBegin; pch < pchEnd;) {
        m_anchor->FindCandidates(pchBegin, pch, pchEnd, found);
        // Candidates before pch are in a line added or checked whole already.
        for (std::size_t i = 0; i < found.nCount; ++i) {
            const char* const pchCandidate = found.apch[i];
            if (pchCandidate < pch)
                continue;
            if (bDoubleByte ? LineMatchesByCharacter(pchBegin, pchEnd, pchCandidate)
                            : MatchesAt(pchBegin, pchEnd, pchCandidate, m_strQuery, m_anchor->Index()))
                pch = AddLine(pchBegin, pchEnd, pchCandidate);
            else if (bDoubleByte)
                pch = LineEnd(pchCandidate, pchEnd);
        }
        pch = std::max(pch, found.pchResume);
    }
}

// A trail byte cannot be told from a lead byte going backwards, so the line
// is folded from its start.
bool CLineMatcher::LineMatchesByCharacter(const char* pchBegin, const char* pchEnd, const char* pchCandidate)
{
    const char* const pchLine = LineStart(pchBegin, pchCandidate);
    const std::size_t nLength =
        LineTextLength(pchLine, static_cast<std::size_t>(LineEnd(pchCandidate, pchEnd) - pchLine));
    m_line.Grow(nLength);
    const std::size_t nFolded = FoldLine(pchLine, nLength, m_line.Data(), m_leadBytes);
    return Matches(m_line.Data(), nFolded, m_strQuery, m_leadBytes);
}

// Adds the line of the candidate to the results; returns where the next
// line starts.
const char* CLineMatcher::AddLine(const char* pchBegin, const char* pchEnd, const char* pchCandidate)
{
    const char* const pchLine = LineStart(pchBegin, pchCandidate);
    const char* const pchLineEnd = LineEnd(pchCandidate, pchEnd);
    const std::size_t nLength = LineTextLength(pchLine, static_cast<std::size_t>(pchLineEnd - pchLine));
    // Copied out first: the file behind a map may lose the line meanwhile,
    // and must then fail in a plain copy, not inside the results' append.
    m_line.Grow(nLength);
    std::memcpy(m_line.Data(), pchLine, nLength);
    m_results.AddLine(m_line.Data(), nLength);
    return pchLineEnd;
}

}  // namespace

CString CollectMatches(CStdioFile& file, const CString& strFoldedQuery, const CLeadBytes& leadBytes)
{
    // No line holds a line feed, so such a query matches nothing; the file
    // is still read, so that it fails as any other run would.
    const bool bCanMatch = std::memchr(strFoldedQuery.GetString(), '\n', strFoldedQuery.GetLength()) == nullptr;
    CLineMatcher matcher(strFoldedQuery, leadBytes);
    file.ReadLines([&](const char* pchBegin, const char* pchEnd) {
        if (bCanMatch)
            matcher.Scan(pchBegin, pchEnd);
    });
    return matcher.Finish();
}
