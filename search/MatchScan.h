#pragma once

#include "framework/portable/StdioFile.h"
#include "framework/portable/String.h"
#include "search/ListCoding.h"
#include "search/ListSample.h"

#include <cstddef>
#include <functional>
#include <optional>

// What a search finds: the result text for every line of the file whose
// folded form holds the folded query, in file order, and how many journals
// it shows.
struct CMatches {
    CString strText;
    std::size_t nJournals;
};

// Says of each block of whole lines, before it is searched, whether the
// reading goes on.
using BlockCheck = std::function<bool(const char* pchBegin, const char* pchEnd)>;

// The matches of the folded query in the list, read in the coding given;
// none for no query (one that no line can hold), though the list is read
// all the same. Nothing where the check stopped the reading.
std::optional<CMatches> CollectMatches(CStdioFile& file, const std::optional<CString>& strFoldedQuery,
                                       const CListCoding& coding, CListSample& sample, const BlockCheck& check);
