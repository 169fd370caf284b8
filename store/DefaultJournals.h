#pragma once

#include "framework/portable/String.h"

#include <cstddef>

// The default journal list, one text per line, each ending with LF, in list
// order. Generated at build time from store/default-journals.txt.
extern const char* const g_apszDefaultJournals[];
extern const std::size_t g_nDefaultJournals;

// The whole list as one text, the lines in order.
CString DefaultJournalText();
