#pragma once

// Windows only: the file layer's paths are UTF-8 texts (FileSystem.h), the
// system's calls take UTF-16.

#include "framework/portable/String.h"

#include <string>

std::wstring WideFromUtf8(const CString& strUtf8);
CString Utf8FromWide(const wchar_t* pwch, std::size_t nLength);
