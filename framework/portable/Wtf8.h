#pragma once

#include "framework/portable/String.h"

#include <cstddef>
#include <string>

// Windows names files in UTF-16 that need not be valid: NTFS allows a lone
// surrogate in a folder's name. The program's 8-bit paths are WTF-8: UTF-8
// that also carries a lone surrogate, as the three bytes its code point
// would take, so that every path comes back to the system as it was.

CString Wtf8FromUtf16(const char16_t* pch, std::size_t nLength);
// Bytes that are neither UTF-8 nor a surrogate's three come back as U+FFFD,
// one for each byte.
std::u16string Utf16FromWtf8(const CString& str);
