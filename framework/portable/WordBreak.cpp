#include "framework/portable/WordBreak.h"

#include <algorithm>

namespace {

enum class CharKind { Space, Punctuation, Word };

CharKind KindOf(char16_t ch)
{
    if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == u'\u3000')
        return CharKind::Space;
    const bool bLetterOrDigit = (ch >= '0' && ch <= '9') || ((ch | 0x20) >= 'a' && (ch | 0x20) <= 'z');
    return bLetterOrDigit || ch >= 0x80 ? CharKind::Word : CharKind::Punctuation;
}

}  // namespace

std::size_t WordStartBefore(std::u16string_view text, std::size_t nCaret)
{
    std::size_t n = std::min(nCaret, text.size());
    while (n > 0 && KindOf(text[n - 1]) == CharKind::Space)
        --n;
    if (n > 0) {
        const CharKind kind = KindOf(text[n - 1]);
        while (n > 0 && KindOf(text[n - 1]) == kind)
            --n;
    }
    return n;
}
