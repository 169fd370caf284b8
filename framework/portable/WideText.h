#pragma once

// Windows only: the file layer's paths and the reports that name them are
// 8-bit texts (FileSystem.h), in UTF-8 that also carries a lone surrogate
// (Wtf8.h); the system's calls take UTF-16.

#include "framework/portable/String.h"

#include <string>

std::wstring WideFromUtf8(const CString& strUtf8);
CString Utf8FromWide(const wchar_t* pwch, std::size_t nLength);
// 8-bit text of a Windows code page (CP_UTF8: WTF-8, as WideFromUtf8).
std::wstring WideFromCodePage(const CString& strText, unsigned nCodePage);
// A path as the system's wide file calls take it at any length: made full
// (resolving "." and "..", '/' as a separator), then in the long form
// (LongPath.h).
std::wstring SystemPathOf(const CString& strPath);
