#pragma once

#include "framework/portable/StdioFile.h"
#include "framework/portable/String.h"

// The result text for every line of the file, read from its current
// position, whose folded form holds the folded query; lines in file order.
CString CollectMatches(CStdioFile& file, const CString& strFoldedQuery);
