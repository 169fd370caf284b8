#include "search/CaseFold.h"
#include "search/Fold.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#endif


namespace {

std::string FoldedLine(const std::string& line, const CListCoding& coding = CListCoding::Ansi(0))
{
    std::string out(2 * line.size(), '\0');
    out.resize(FoldLine(line.data(), line.size(), out.data(), coding));
    return out;
}

std::string FoldedQuery(const std::string& query, const CListCoding& coding = CListCoding::Ansi(0))
{
    const CString folded = FoldQuery(CString(query.data(), query.size()), coding);
    return std::string(folded.GetString(), folded.GetLength());
}

}  // namespace

TEST(Fold, FollowsTheRulesInOrder)
{
    const CListCoding kUtf8 = CListCoding::Utf8();
    const struct {
        const char* text;
        const char* query;  // folded by the query rule
        const char* line;   // folded by the line rule
        CListCoding coding = CListCoding::Ansi(1252);
    } cases[] = {
        {"J. Am. Chem. Soc.\tJournal of the American Chemical Society", "jamchemsocjournaloftheamericanchemicalsociety",
         "jamchemsoc\tjournaloftheamericanchemicalsociety"},
        {"aandnd", "and", "and"},  // the removal does not rescan its result
        {"a.nd", "and", "and"},  // "and" goes before the full stop does
        {" AND ", "", ""},
        {"Z. Kristallogr. - New", "zkristallogr-new", "zkristallogr-new"},
        {"xa\nnd\nAND\n\nb an\nd", "xa\nnd\n\n\nban\nd", "xa\nnd\n\n\nban\nd"},  // "and" never spans a line end
        // Every letter of the code page whose folded form it has; ß and the
        // micro sign have none in 1252, and the Greek page has that of µ.
        {"\xC4\x8A\x9F\x8C\xDF\xB5\xFF\x7FQ", "\xE4\x9A\xFF\x9C\xDF\xB5\xFF\x7Fq", "\xE4\x9A\xFF\x9C\xDF\xB5\xFF\x7Fq"},
        {"\xC4\xD6\xFFQ", "\xC4\xD6\xFFq", "\xC4\xD6\xFFq", CListCoding::Ansi(0)},  // no code page: A-Z alone
        {"\xC6\xA8\x81", "\xE6\xB8\x83", "\xE6\xB8\x83", CListCoding::Ansi(1251)},  // Ж Ё Ѓ
        {"\xD3\xF2\xB5", "\xF3\xF3\xEC", "\xF3\xF3\xEC", CListCoding::Ansi(1253)},  // Σ ς µ to σ σ μ
        {"\xDDI", "\xDDi", "\xDDi", CListCoding::Ansi(1254)},  // İ stays: its folded form is two characters
        // Shift JIS: a trail byte keeps its case, a half-width katakana has none.
        {"\x83\x41\xC4N", "\x83\x41\xC4n", "\x83\x41\xC4n", CListCoding::Ansi(932)},
        // Folded forms of other lengths: the Kelvin sign, ẞ, Ⱥ, ſ; İ stays.
        {"K\xE2\x84\xAA \xE1\xBA\x9E\xC8\xBA\xC5\xBF\xC4\xB0", "kk\xC3\x9F\xE2\xB1\xA5s\xC4\xB0",
         "kk\xC3\x9F\xE2\xB1\xA5s\xC4\xB0", kUtf8},
        {"\xC3(\xE2\x84", "\xC3(\xE2\x84", "\xC3(\xE2\x84", kUtf8},  // bytes that are no UTF-8 pass
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FoldedQuery(c.text, c.coding), c.query) << "query rule: " << c.text;
        EXPECT_EQ(FoldedLine(c.text, c.coding), c.line) << "line rule: " << c.text;
    }
}

#if defined(_WIN32)
// The one rule against the system's own, on Windows and under Wine. A
// character and the system's lower case of it fold alike (Cherokee folds
// to its capitals, which the system lowers), but U+0130, which simple
// folding leaves alone: its lower case "i" would make it one with I. How
// many the table folds where the system leaves them (symbols and final
// forms of small letters, µ, ς, ſ) is said. Each code page's table is the
// rule carried out through the system's own conversion of its bytes, and
// its lead bytes are the system's.
TEST(CaseFold, AgreesWithTheSystem)
{
    // Every code point but the surrogates, in UTF-16, lower-cased at once.
    std::wstring all;
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c < 0x10000 && (c < 0xD800 || c > 0xDFFF))
            all += static_cast<wchar_t>(c);
        else if (c >= 0x10000)
            all += {static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)), static_cast<wchar_t>(0xDC00 + (c & 0x3FF))};
    }
    std::wstring lower(all.size(), L'\0');
    ASSERT_EQ(::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, all.data(), static_cast<int>(all.size()),
                              lower.data(), static_cast<int>(lower.size()), nullptr, nullptr, 0),
              static_cast<int>(all.size()))
        << "the system's lower case changed the text's length";
    std::size_t nFoldedAlone = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const bool bPair = all[i] >= 0xD800 && all[i] <= 0xDBFF;
        const auto codePoint = [&](const std::wstring& text) {
            return bPair ? 0x10000 + ((char32_t(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00) : char32_t(text[i]);
        };
        const char32_t c = codePoint(all);
        const char32_t chLower = codePoint(lower);
        i += bPair;
        EXPECT_TRUE(c == 0x130 || FoldCase(c) == FoldCase(chLower))
            << "U+" << std::hex << c << " and its lower case U+" << chLower;
        nFoldedAlone += chLower == c && FoldCase(c) != c;
    }
    std::printf("the table folds %zu characters that the system's lower case leaves as they are\n", nFoldedAlone);

    for (unsigned nCodePage : {874u, 932u, 936u, 949u, 950u, 1250u, 1251u, 1252u, 1253u, 1254u, 1255u, 1256u, 1257u, 1258u}) {
        const CListCoding coding = CListCoding::Ansi(nCodePage);
        for (unsigned nByte = 0x80; nByte < 0x100; ++nByte) {
            const char ch = static_cast<char>(nByte);
            wchar_t wch = 0;
            unsigned nExpected = nByte;
            if (!::IsDBCSLeadByteEx(nCodePage, static_cast<BYTE>(nByte)) &&
                ::MultiByteToWideChar(nCodePage, MB_ERR_INVALID_CHARS, &ch, 1, &wch, 1) == 1) {
                const wchar_t wchFolded = static_cast<wchar_t>(FoldCase(wch));
                char folded[2];
                BOOL bLacking = FALSE;
                if (::WideCharToMultiByte(nCodePage, WC_NO_BEST_FIT_CHARS, &wchFolded, 1, folded, 2, nullptr,
                                          &bLacking) == 1 && !bLacking)
                    nExpected = static_cast<unsigned char>(folded[0]);
            }
            EXPECT_EQ(coding.FoldByte(static_cast<unsigned char>(nByte)), nExpected)
                << "code page " << nCodePage << ", byte " << std::hex << nByte;
            EXPECT_EQ(coding.IsLead(static_cast<unsigned char>(nByte)),
                      ::IsDBCSLeadByteEx(nCodePage, static_cast<BYTE>(nByte)) != FALSE)
                << "code page " << nCodePage << ", lead byte " << std::hex << nByte;
        }
    }
}
#endif

// The walk that confirms a candidate stays within its line, and within the
// run of lines it is given even where the bytes beyond would match on: the
// last line of a file has no line end of its own.
TEST(MatchesAt, WalksNoFurtherThanTheLine)
{
    const std::string bytes = "cab\r\nabc";
    const char* const pch = bytes.data();
    const char* const pchEnd = pch + bytes.size() - 1;  // the run ends before the last "c"
    const CListCoding coding = CListCoding::Ansi(1252);
    const auto units = [&](const char* psz) { return FoldedUnitsOf(psz, coding); };
    EXPECT_TRUE(MatchesAt(pch, pchEnd, pch + 5, units("ab"), 0, coding));
    EXPECT_FALSE(MatchesAt(pch, pchEnd, pch + 5, units("abc"), 0, coding)) << "walked past the end of the run";
    EXPECT_FALSE(MatchesAt(pch, pchEnd, pch + 1, units("abc"), 0, coding)) << "walked past the end of the line";
    EXPECT_TRUE(MatchesAt(pch, pchEnd, pch + 1, units("cab"), 1, coding));
    EXPECT_FALSE(MatchesAt(pch + 1, pchEnd, pch + 1, units("cab"), 1, coding)) << "walked back past the start of the run";
}
