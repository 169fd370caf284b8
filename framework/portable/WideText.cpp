#include "framework/portable/WideText.h"

#include <windows.h>

std::wstring WideFromUtf8(const CString& strUtf8)
{
    const int nBytes = static_cast<int>(strUtf8.GetLength());
    std::wstring wide(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, strUtf8.GetString(), nBytes, nullptr, 0)),
                      L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, strUtf8.GetString(), nBytes, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

CString Utf8FromWide(const wchar_t* pwch, std::size_t nLength)
{
    const int nChars = static_cast<int>(nLength);
    std::string utf8(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, pwch, nChars, nullptr, 0, nullptr, nullptr)),
                     '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, pwch, nChars, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    return CString(utf8.data(), utf8.size());
}
