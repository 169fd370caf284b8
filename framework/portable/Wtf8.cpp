#include "framework/portable/Wtf8.h"

#include <algorithm>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLowSurrogate(char32_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

void AppendCodePoint(CString& str, char32_t ch)
{
    if (ch < 0x80) {
        str += static_cast<char>(ch);
        return;
    }
    const int nTrail = ch < 0x800 ? 1 : ch < 0x10000 ? 2 : 3;
    static const unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
    str += static_cast<char>(kLead[nTrail] | (ch >> (6 * nTrail)));
    for (int i = nTrail - 1; i >= 0; --i)
        str += static_cast<char>(0x80 | ((ch >> (6 * i)) & 0x3F));
}

// The code point of the sequence at pch, and its length in n; 0 bytes when
// it is none. Overlong forms and code points past U+10FFFF are none;
// surrogates are code points here.
char32_t DecodeAt(const unsigned char* pch, std::size_t nLeft, std::size_t& n)
{
    n = 0;
    const unsigned char ch = pch[0];
    if (ch < 0x80) {
        n = 1;
        return ch;
    }
    const std::size_t nTrail = ch >= 0xC2 && ch <= 0xDF   ? 1
                               : ch >= 0xE0 && ch <= 0xEF ? 2
                               : ch >= 0xF0 && ch <= 0xF4 ? 3
                                                          : 0;
    if (nTrail == 0 || nTrail >= nLeft)
        return 0;
    char32_t code = ch & (0x3F >> nTrail);
    for (std::size_t i = 1; i <= nTrail; ++i) {
        if ((pch[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (pch[i] & 0x3F);
    }
    static const char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (code < kLeast[nTrail] || code > 0x10FFFF)
        return 0;
    n = nTrail + 1;
    return code;
}

}  // namespace

CString Wtf8FromUtf16(const char16_t* pch, std::size_t nLength)
{
    CString str;
    for (std::size_t i = 0; i < nLength; ++i) {
        char32_t ch = pch[i];
        if (IsHighSurrogate(ch) && i + 1 < nLength && IsLowSurrogate(pch[i + 1]))
            ch = 0x10000 + ((ch - 0xD800) << 10) + (pch[++i] - 0xDC00);
        AppendCodePoint(str, ch);  // a lone surrogate as itself
    }
    return str;
}

std::u16string Utf16FromWtf8(const CString& str)
{
    const unsigned char* const pchText = reinterpret_cast<const unsigned char*>(str.GetString());
    std::u16string text;
    for (std::size_t i = 0; i < str.GetLength();) {
        std::size_t n = 0;
        const char32_t ch = DecodeAt(pchText + i, str.GetLength() - i, n);
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
        DecodeAt(pchText + i, str.GetLength() - i, n);
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
