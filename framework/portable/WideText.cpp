#include "framework/portable/WideText.h"

#include "framework/portable/LongPath.h"
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

std::wstring WideFromCodePage(const CString& strText, unsigned nCodePage)
{
    if (nCodePage == CP_UTF8)
        return WideFromUtf8(strText);
    const int nBytes = static_cast<int>(strText.GetLength());
    std::wstring text(nBytes > 0 ? ::MultiByteToWideChar(nCodePage, 0, strText.GetString(), nBytes, nullptr, 0) : 0, L'\0');
    ::MultiByteToWideChar(nCodePage, 0, strText.GetString(), nBytes, text.data(), static_cast<int>(text.size()));
    return text;
}

std::wstring SystemPathOf(const CString& strPath)
{
    const std::wstring path = WideFromUtf8(strPath);
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
