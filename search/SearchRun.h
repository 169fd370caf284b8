#pragma once

#include "framework/portable/LeadBytes.h"
#include "framework/portable/String.h"

#include <cstddef>
#include <functional>

// The fixed texts a search run may show instead of results.
namespace SearchMessage {
constexpr const char* kResetting = "Please wait for resetting 'Norvane.txt' file...";
constexpr const char* kNoDataFile = "No 'Norvane.txt' file in program's path";
constexpr const char* kNotAnsi = "'Norvane.txt' is not an ANSI code file";
constexpr const char* kNoResults = "No Results";
}  // namespace SearchMessage

// A byte that no line of a data file holds, as lines end at it. A character
// of a query that the file's code page cannot hold, no line holds either:
// it stands as this byte, and the query finds nothing.
constexpr char kNoLineHolds = '\n';

// Takes the text to show, and how many journals (matching lines) it shows:
// 0 for a message or the empty text. A large result moves in rather than
// being copied.
using SetResultsText = std::function<void(CString strText, std::size_t nJournals)>;

// Answers one query against the data file in strDir: shows the matching
// lines, or a fixed message, through setResults. A missing data file is
// written afresh and the query is left for the next run. File errors are
// thrown as CFileException; results shown so far stay as they are. Texts
// are in the code page whose lead bytes are given.
void RunSearch(const CString& strDir, const CString& strQuery, const SetResultsText& setResults,
               const CLeadBytes& leadBytes = CLeadBytes());
