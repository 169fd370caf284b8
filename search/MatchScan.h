#pragma once

#include "framework/portable/LeadBytes.h"
#include "framework/portable/StdioFile.h"
#include "framework/portable/String.h"

// The result text for every line of the file whose folded form holds the
// folded query, in file order.
CString CollectMatches(CStdioFile& file, const CString& strFoldedQuery, const CLeadBytes& leadBytes);
