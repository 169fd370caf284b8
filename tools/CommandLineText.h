#pragma once

// Text where it crosses into and out of the console driver: on Windows,
// in from the wide command line (the 8-bit one has lost every letter
// outside the ANSI code page) and out to a console as UTF-16; elsewhere
// bytes, as they are. Within, arguments are UTF-8, as the file layer takes
// a path (WTF-8 on Windows).

#include "framework/portable/String.h"
#include "search/SearchRun.h"

#include <cstdio>
#include <vector>

// The code page of texts given no other: the ANSI code page on Windows;
// elsewhere 0, bytes whatever they are.
extern const unsigned kActiveCodePage;
// UTF-8: of the driver's own messages and of a UTF-8 list's text (0
// elsewhere, bytes).
extern const unsigned kUtf8CodePage;

std::vector<CString> Arguments(int argc, char** argv);
// A query argument as the search takes it: on Windows converted as the
// program converts what the query box shows (SearchDlg.cpp); elsewhere
// its bytes as they are, for a list in either coding.
CQuery QueryOf(const CString& strArgument, unsigned nCodePage);
bool IsInstalledCodePage(unsigned nCodePage);
// Writes the text, in code page nCodePage, to standard output or error:
// to a console in its letters, elsewhere byte for byte (CR LF too).
bool Write(std::FILE* stream, const CString& strText, unsigned nCodePage);
