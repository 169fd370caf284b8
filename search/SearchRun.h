#pragma once

#include "framework/portable/String.h"
#include "search/ListCoding.h"

#include <cstddef>
#include <functional>

// The fixed texts a search run may show instead of results.
namespace SearchMessage {
constexpr const char* kResetting = "Please wait for resetting 'Norvane.txt' file...";
constexpr const char* kNoDataFile = "No 'Norvane.txt' file in program's path";
constexpr const char* kNotAnsi = "'Norvane.txt' is not an ANSI code file";
constexpr const char* kNoResults = "No Results";
}  // namespace SearchMessage

// A text put into the ANSI code page, a character the code page lacks as
// '?', and whether there was one.
struct CAnsiText {
    CString strBytes;
    bool bLacking = false;
};

// The query as typed: in UTF-8, every character of it; and the way to put
// it into the ANSI code page, taken only for a list that is read in it.
struct CQuery {
    CString strUtf8;
    std::function<CAnsiText()> inAnsi;
};

// What a text set in the results box is in: the list's coding (a message
// is ASCII, alike in both).
enum class TextCoding { Ansi, Utf8 };

// Takes the text to show, what it is in, and how many journals (matching
// lines) it shows: 0 for a message or the empty text. A large result moves
// in rather than being copied.
using SetResultsText = std::function<void(CString strText, std::size_t nJournals, TextCoding coding)>;

// Answers one query against the data file in strDir: shows the matching
// lines, or a fixed message, through setResults. A missing data file is
// written afresh and the query is left for the next run. A list is read as
// UTF-8 when all of it is well-formed UTF-8 and not ASCII alone, else in
// the ANSI code page given; a list that starts with a byte-order mark is
// refused. File errors are thrown as CFileException; results shown so far
// stay as they are.
void RunSearch(const CString& strDir, const CQuery& query, const SetResultsText& setResults, const CListCoding& ansi);
