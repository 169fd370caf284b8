#include "framework/portable/WideText.h"

#include "framework/portable/FileException.h"
#include "framework/portable/LongPath.h"
#include "framework/portable/Utf8.h"
#include "framework/portable/Wtf8.h"

#include <windows.h>

#include <vector>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

std::wstring WideFromUtf8(const CString& strUtf8)
{
    const std::u16string text = Utf16FromWtf8(strUtf8);
    return std::wstring(text.begin(), text.end());
}

CString Utf8FromWide(const wchar_t* pwch, std::size_t nLength)
{
    return Wtf8FromUtf16(reinterpret_cast<const char16_t*>(pwch), nLength);
}

std::wstring WideFromCodePage(std::string_view text, unsigned nCodePage)
{
    if (nCodePage == CP_UTF8)
        return WideFromUtf8(CString(text.data(), text.size()));
    const int nBytes = static_cast<int>(text.size());
    std::wstring wide(nBytes > 0 ? ::MultiByteToWideChar(nCodePage, 0, text.data(), nBytes, nullptr, 0) : 0, L'\0');
    ::MultiByteToWideChar(nCodePage, 0, text.data(), nBytes, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

CString CodePageFromWide(std::wstring_view text, unsigned nCodePage, bool* pbLacking)
{
    if (pbLacking)
        *pbLacking = false;
    // Windows 10 may take UTF-8 as its ANSI code page, which holds every
    // character and takes neither the flag nor a default character.
    // A lone surrogate, which it lacks, comes out as WTF-8, which is no UTF-8.
    if (nCodePage == CP_UTF8 || (nCodePage == CP_ACP && ::GetACP() == CP_UTF8)) {
        const CString strBytes = Utf8FromWide(text.data(), text.size());
        if (pbLacking)
            *pbLacking = Utf8FormOf(strBytes.GetString(), strBytes.GetString() + strBytes.GetLength()) == Utf8Form::NotUtf8;
        return strBytes;
    }
    const int nChars = static_cast<int>(text.size());
    BOOL bLacking = FALSE;
    const auto convert = [&](char* pchBytes, int nBytes) {
        return ::WideCharToMultiByte(nCodePage, WC_NO_BEST_FIT_CHARS, text.data(), nChars, pchBytes, nBytes, "?",
                                     &bLacking);
    };
    std::string bytes(nChars > 0 ? convert(nullptr, 0) : 0, '\0');
    if (!bytes.empty())
        convert(bytes.data(), static_cast<int>(bytes.size()));
    // A text the code page cannot take at all lacks what it holds.
    if (pbLacking)
        *pbLacking = bLacking != FALSE || (nChars > 0 && bytes.empty());
    return CString(bytes.data(), bytes.size());
}

std::wstring SystemPathOf(const CString& strPath)
{
    if (!IsWtf8(strPath))
        throw CFileException(strPath, "The name is not valid UTF-8");
    const std::wstring path = WideFromUtf8(strPath);
    if (IsVerbatimPath(path))
        return path;  // made full would resolve its ".." and '/', which it names literally
    std::vector<wchar_t> full(MAX_PATH);
    for (;;) {
        const DWORD nLength = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (nLength == 0)
            return path;  // the call that takes it says why
        if (nLength < full.size())
            return LongPathForm(std::wstring(full.data(), nLength));
        full.resize(nLength);
    }
}
