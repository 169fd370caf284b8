#pragma once

#include "framework/portable/String.h"

#include <cstddef>

// Well-formed UTF-8, as Unicode defines it (its table 3-7): no overlong
// form, no surrogate, nothing past U+10FFFF, no sequence cut short.

// The code point of the sequence at pch, of at most nLeft bytes, and its
// length in n; n is 0 where there is none. Surrogates count as code points
// only where bSurrogates (WTF-8, Wtf8.h).
char32_t DecodeUtf8At(const unsigned char* pch, std::size_t nLeft, std::size_t& n, bool bSurrogates = false);
// Writes the bytes of the code point (at most 4) to pchOut; returns how many.
std::size_t EncodeUtf8(char32_t ch, char* pchOut);
void AppendUtf8(CString& str, char32_t ch);

// What a run of bytes is: ASCII alone, UTF-8 with characters beyond ASCII,
// or no UTF-8. Runs of ASCII are checked many bytes at a time.
enum class Utf8Form { Ascii, Utf8, NotUtf8 };
Utf8Form Utf8FormOf(const char* pchBegin, const char* pchEnd);
// The same for a slice cut from a longer text at any two bytes: a
// character cut at either end of it is not held against it.
Utf8Form Utf8FormOfSlice(const char* pchBegin, const char* pchEnd);
