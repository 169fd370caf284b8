#include "search/MatchScan.h"

#include "framework/portable/ByteBuffer.h"
#include "search/Fold.h"
#include "search/ResultText.h"
#include "search/SubstringFinder.h"

#include <cstring>
#include <string>

namespace {

const char* NextLineFeed(const char* pch, const char* pchEnd)
{
    return static_cast<const char*>(std::memchr(pch, '\n', pchEnd - pch));
}

// Folds a block of whole lines at once and searches the folded block; a hit
// is mapped back to its raw line by counting line ends on both sides, which
// folding leaves in place. After a hit the search goes on at the next line.
void ScanBlock(const char* pchRaw, const char* pchRawEnd, const CSubstringFinder& finder, CByteBuffer& folded,
               CResultText& results)
{
    folded.Grow(pchRawEnd - pchRaw);
    const char* pchLine = folded.Data();
    const char* const pchFoldedEnd = pchLine + FoldLine(pchRaw, pchRawEnd - pchRaw, folded.Data());

    while (const char* pchHit = finder.Find(pchLine, pchFoldedEnd)) {
        const char* pchLineEnd = NextLineFeed(pchLine, pchFoldedEnd);
        while (pchLineEnd < pchHit) {
            pchLine = pchLineEnd + 1;
            pchLineEnd = NextLineFeed(pchLine, pchFoldedEnd);
            pchRaw = NextLineFeed(pchRaw, pchRawEnd) + 1;
        }
        const char* pchRawLineEnd = NextLineFeed(pchRaw, pchRawEnd);
        results.AddLine(pchRaw, pchRawLineEnd - pchRaw);
        pchLine = pchLineEnd + 1;
        pchRaw = pchRawLineEnd + 1;
    }
}

}  // namespace

CString CollectMatches(CStdioFile& file, const CString& strFoldedQuery)
{
    // No line holds a line feed, so such a query matches nothing; the file is
    // still read, so that it fails as any other run would.
    const std::string query(strFoldedQuery.GetString(), strFoldedQuery.GetLength());
    const bool bCanMatch = query.find('\n') == std::string::npos;
    const CSubstringFinder finder(query);

    CByteBuffer folded;
    CResultText results;
    const char* pchBegin;
    const char* pchEnd;
    while (file.ReadLines(pchBegin, pchEnd)) {
        if (bCanMatch)
            ScanBlock(pchBegin, pchEnd, finder, folded, results);
    }
    return results.Finish();
}
