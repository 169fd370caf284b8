#pragma once

#include "framework/portable/String.h"

#include <cstddef>
#include <string>
#include <string_view>

// Windows names files in UTF-16 that need not be valid: NTFS allows a lone
// surrogate in a folder's name. The program's 8-bit paths are WTF-8: UTF-8
// that also carries a lone surrogate, as the three bytes its code point
// would take, so that every path comes back to the system as it was.

CString Wtf8FromUtf16(const char16_t* pch, std::size_t nLength);
// Bytes that are neither UTF-8 nor a surrogate's three come back as U+FFFD,
// one for each byte.
std::u16string Utf16FromWtf8(const CString& str);
// False where Utf16FromWtf8 would put in U+FFFD for a byte: such a path
// would name another file.
bool IsWtf8(const CString& str);

// Where the piece of text from nFrom ends that holds at most nMaxUnits and
// does not part a surrogate pair, for writing a long text in pieces; a
// piece holds at least one character, so that the writer always moves on.
std::size_t Utf16PieceEnd(std::u16string_view text, std::size_t nFrom, std::size_t nMaxUnits);
