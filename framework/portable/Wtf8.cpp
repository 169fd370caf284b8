#include "framework/portable/Wtf8.h"

#include "framework/portable/Utf8.h"

#include <algorithm>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLowSurrogate(char32_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

}  // namespace

CString Wtf8FromUtf16(const char16_t* pch, std::size_t nLength)
{
    CString str;
    for (std::size_t i = 0; i < nLength; ++i) {
        char32_t ch = pch[i];
        if (IsHighSurrogate(ch) && i + 1 < nLength && IsLowSurrogate(pch[i + 1]))
            ch = 0x10000 + ((ch - 0xD800) << 10) + (pch[++i] - 0xDC00);
        AppendUtf8(str, ch);  // a lone surrogate as itself
    }
    return str;
}

std::u16string Utf16FromWtf8(const CString& str)
{
    const unsigned char* const pchText = reinterpret_cast<const unsigned char*>(str.GetString());
    std::u16string text;
    for (std::size_t i = 0; i < str.GetLength();) {
        std::size_t n = 0;
        const char32_t ch = DecodeUtf8At(pchText + i, str.GetLength() - i, n, true);
        if (n == 0) {
            text += kReplacement;
            ++i;
            continue;
        }
        if (ch >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((ch - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(ch);
        }
        i += n;
    }
    return text;
}

bool IsWtf8(const CString& str)
{
    const unsigned char* const pchText = reinterpret_cast<const unsigned char*>(str.GetString());
    for (std::size_t i = 0, n = 0; i < str.GetLength(); i += n) {
        DecodeUtf8At(pchText + i, str.GetLength() - i, n, true);
        if (n == 0)
            return false;
    }
    return true;
}

std::size_t Utf16PieceEnd(std::u16string_view text, std::size_t nFrom, std::size_t nMaxUnits)
{
    const std::size_t nEnd = nFrom + std::max<std::size_t>(nMaxUnits, 1);
    if (nEnd >= text.size())
        return text.size();
    if (!IsHighSurrogate(text[nEnd - 1]) || !IsLowSurrogate(text[nEnd]))
        return nEnd;
    // The pair goes to the next piece, or whole if it is all this one holds.
    return nEnd - 1 > nFrom ? nEnd - 1 : nEnd + 1;
}
