#include "framework/portable/WordBreak.h"

#include <vector>

namespace {

enum class CharKind { Space, Punctuation, Word };

CharKind KindOf(unsigned char ch)
{
    if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n')
        return CharKind::Space;
    const bool bLetterOrDigit = (ch >= '0' && ch <= '9') || ((ch | 0x20) >= 'a' && (ch | 0x20) <= 'z');
    return bLetterOrDigit || ch >= 0x80 ? CharKind::Word : CharKind::Punctuation;
}

struct CCharacter {
    std::size_t nStart;
    CharKind kind;
};

}  // namespace

std::size_t WordStartBefore(const CString& strText, std::size_t nCaret, const CLeadBytes& leadBytes)
{
    // Characters are told apart from the start: going backwards, a trail
    // byte looks like a lead byte.
    std::vector<CCharacter> before;
    for (std::size_t i = 0; i < nCaret && i < strText.GetLength();) {
        const unsigned char ch = static_cast<unsigned char>(strText[i]);
        const bool bDoubleByte = leadBytes.IsLead(ch) && i + 1 < nCaret;
        before.push_back({i, bDoubleByte ? CharKind::Word : KindOf(ch)});
        i += bDoubleByte ? 2 : 1;
    }
    std::size_t n = before.size();
    while (n > 0 && before[n - 1].kind == CharKind::Space)
        --n;
    if (n > 0) {
        const CharKind kind = before[n - 1].kind;
        while (n > 0 && before[n - 1].kind == kind)
            --n;
    }
    return n < before.size() ? before[n].nStart : nCaret;
}
