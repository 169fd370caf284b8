#include "search/SearchRun.h"

#include "framework/portable/StdioFile.h"
#include "search/Fold.h"
#include "search/MatchScan.h"
#include "store/DataFile.h"

#include <utility>

namespace {

// A UTF-8 or UTF-16 little-endian byte-order mark; only bytes actually read
// count, so an empty or one-byte file passes.
bool StartsWithByteOrderMark(CStdioFile& file)
{
    unsigned char start[3];
    const std::size_t nRead = file.ReadAt(0, start, sizeof start);
    return nRead >= 2 && ((start[0] == 0xEF && start[1] == 0xBB) || (start[0] == 0xFF && start[1] == 0xFE));
}

}  // namespace

void RunSearch(const CString& strDir, const CString& strQuery, const SetResultsText& setResults,
               const CLeadBytes& leadBytes)
{
    if (!DataFileExists(strDir)) {
        setResults(SearchMessage::kResetting, 0);
        ResetDataFile(strDir);
        setResults("", 0);
        return;
    }

    const CString strFolded = FoldQuery(strQuery, leadBytes);
    if (strFolded.GetLength() < kMinQueryLength)
        return;

    if (!DataFileExists(strDir)) {
        setResults(SearchMessage::kNoDataFile, 0);
        return;
    }

    CStdioFile file;
    file.OpenRead(DataFilePath(strDir));
    if (StartsWithByteOrderMark(file)) {
        setResults(SearchMessage::kNotAnsi, 0);
        return;
    }
    CMatches matches = CollectMatches(file, strFolded, leadBytes);
    file.Close();
    if (matches.nLines == 0)
        setResults(SearchMessage::kNoResults, 0);
    else
        setResults(std::move(matches.strText), matches.nLines);
}
