#pragma once

// Windows only: the file layer's paths and the reports that name them are
// 8-bit texts (FileSystem.h), in UTF-8 that also carries a lone surrogate
// (Wtf8.h); the system's calls take UTF-16.

#include "framework/portable/String.h"

#include <string>
#include <string_view>

std::wstring WideFromUtf8(const CString& strUtf8);
CString Utf8FromWide(const wchar_t* pwch, std::size_t nLength);
// 8-bit text of a Windows code page and back (CP_UTF8: WTF-8, as
// WideFromUtf8). A character the code page lacks becomes '?', never a
// character that merely looks like it, and sets *pbLacking where given.
std::wstring WideFromCodePage(std::string_view text, unsigned nCodePage);
CString CodePageFromWide(std::wstring_view text, unsigned nCodePage, bool* pbLacking = nullptr);
// The same UTF-16 units, as the portable code takes them, and back.
inline std::u16string_view Utf16Of(std::wstring_view text)
{
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}
inline std::wstring WideOf(std::u16string_view text)
{
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}
// A path as the system's wide file calls take it at any length: made full
// (resolving "." and "..", '/' as a separator), then in the long form
// (LongPath.h); one in that form already, or a device's, as it is. Throws
// a CFileException for bytes that name no file (IsWtf8).
std::wstring SystemPathOf(const CString& strPath);
