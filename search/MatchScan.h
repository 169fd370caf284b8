#pragma once

#include "framework/portable/LeadBytes.h"
#include "framework/portable/StdioFile.h"
#include "framework/portable/String.h"

#include <cstddef>

// What a search finds: the result text for every line of the file whose
// folded form holds the folded query, in file order, and how many they are.
struct CMatches {
    CString strText;
    std::size_t nLines;
};
CMatches CollectMatches(CStdioFile& file, const CString& strFoldedQuery, const CLeadBytes& leadBytes);
