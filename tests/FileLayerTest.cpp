// The file layer where the search run cannot show it: paths of any length
// and any name, and a query put into a code page. Its blocks and line rules
// are compared with the literal ones through the whole search; its hold of
// the data file, which shares nothing, and its wait for a file another
// program holds, in the window test of a file held.

#include "framework/portable/FileException.h"
#include "framework/portable/LongPath.h"
#include "framework/portable/Utf8.h"
#include "framework/portable/Wtf8.h"

#if defined(_WIN32)
#include "framework/portable/WideText.h"
#endif

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(LongPathForm, TakesFullPathsPastTheLimitAndLeavesTheRest)
{
    const struct {
        const char* path;
        const char* form;
    } cases[] = {
        {"A:\\Users\\Me\\Norvane.txt", "\\\\?\\A:\\Users\\Me\\Norvane.txt"},
        {"Z:\\", "\\\\?\\Z:\\"},
        {"a:\\", "\\\\?\\a:\\"},
        {"z:\\", "\\\\?\\z:\\"},
        {"1:\\x", "1:\\x"},
        {"\\\\server\\share\\Norvane.txt", "\\\\?\\UNC\\server\\share\\Norvane.txt"},
        {"\\\\?\\C:\\Norvane.txt", "\\\\?\\C:\\Norvane.txt"},
        {"\\\\?\\", "\\\\?\\"},
        {"\\\\.\\COM1", "\\\\.\\COM1"},
        {"\\\\.x\\s", "\\\\?\\UNC\\.x\\s"},  // a server whose name starts with a dot
        {"C:Norvane.txt", "C:Norvane.txt"},  // relative to the drive's own folder
        {"\\Norvane.txt", "\\Norvane.txt"},   // relative to the current drive
        {"d\\Norvane.txt", "d\\Norvane.txt"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LongPathForm(std::string(c.path)), c.form) << c.path;
}

#if defined(_WIN32)
// The path every file call of the program takes: made full, then long; one
// that is long or a device's already names its "..", '/' and all, as it is;
// bytes that name no file are a file error that names them.
TEST(SystemPathOf, MakesEveryPathFullAndLong)
{
    const std::wstring file = SystemPathOf("x");  // in the current folder
    const std::wstring here = file.substr(0, file.size() - 1);
    const struct {
        const char* path;
        std::wstring form;
    } cases[] = {
        {"dir/x\\..\\Norvane.txt", here + L"dir\\Norvane.txt"},
        {"\\\\server\\share\\x\\..\\Norvane.txt", L"\\\\?\\UNC\\server\\share\\Norvane.txt"},
        {"\\\\?\\C:\\a\\..\\b/c", L"\\\\?\\C:\\a\\..\\b/c"},
        {"\\\\.\\COM1", L"\\\\.\\COM1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemPathOf(c.path), c.form) << c.path;
    const std::wstring drive = SystemPathOf("C:Norvane.txt");  // in C:'s own current folder
    EXPECT_TRUE(drive.rfind(L"\\\\?\\C:\\", 0) == 0 && drive.find(L"\\Norvane.txt") == drive.size() - 12)
        << Utf8FromWide(drive.data(), drive.size()).GetString();
    EXPECT_THROW(SystemPathOf("C:\\\xFF.txt"), CFileException) << "bytes that are not UTF-8";
}

// A query in a code page, told where it lacks a character: one of 1252
// without a best fit, or in UTF-8 a lone surrogate.
TEST(CodePageFromWide, TellsWhereTheCodePageLacksACharacter)
{
    const struct {
        const wchar_t* text;
        unsigned nCodePage;
        const char* bytes;
        bool bLacking;
    } cases[] = {
        {L"f\u00FCr", 1252, "f\xFCr", false}, {L"\u0142\u00FC", 1252, "?\xFC", true}, {L"", 1252, "", false},
        {L"f\u00FCr", 65001, "f\xC3\xBCr", false}, {L"a\xD800", 65001, "a\xED\xA0\x80", true},
    };
    for (const auto& c : cases) {
        bool bLacking = !c.bLacking;
        EXPECT_EQ(CodePageFromWide(c.text, c.nCodePage, &bLacking), c.bytes) << c.nCodePage << " " << c.bytes;
        EXPECT_EQ(bLacking, c.bLacking) << c.nCodePage << " " << c.bytes;
    }
}
#endif

// Every name Windows allows comes back from the 8-bit path as it was, a
// lone surrogate too; what is valid UTF-16 is UTF-8.
TEST(Wtf8, CarriesEveryWindowsNameAndIsUtf8WhereItCanBe)
{
    const struct {
        std::u16string name;
        const char* utf8;  // nullptr: no UTF-8 form
    } cases[] = {
        {u"\u0141ukasz \u03A9\u03BC\u03AD\u03B3\u03B1 \u65E5\u672C",
         "\xC5\x81ukasz \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xE6\x97\xA5\xE6\x9C\xAC"},
        {u"\U0001F600 \u007F\u0080\u07FF\u0800\uFFFF\U00010000",
         "\xF0\x9F\x98\x80 \x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80"},
        {std::u16string(u"a") + char16_t(0xD800) + u"b", nullptr},      // a lone high surrogate
        {std::u16string(u"a") + char16_t(0xDC00) + char16_t(0xDC00), nullptr},  // two low ones, at the end
        {std::u16string(1, char16_t(0xDC00)) + char16_t(0xD800), nullptr},  // a pair the wrong way round
        {std::u16string(1, char16_t(0xD7FF)) + char16_t(0xDC00), nullptr},  // no high one before a low one
        {std::u16string(1, char16_t(0xDBFF)) + char16_t(0xDFFF), "\xF4\x8F\xBF\xBF"},  // the last code point
    };
    for (const auto& c : cases) {
        const CString wtf8 = Wtf8FromUtf16(c.name.data(), c.name.size());
        EXPECT_EQ(Utf16FromWtf8(wtf8), c.name) << wtf8.GetString();
        EXPECT_TRUE(IsWtf8(wtf8)) << wtf8.GetString();
        if (c.utf8)
            EXPECT_STREQ(wtf8.GetString(), c.utf8);
        else
            EXPECT_NE(std::string(wtf8.GetString()).find("\xED"), std::string::npos) << "not a surrogate's three bytes";
    }
    // Bytes that are neither (Utf8FormOf's test has them) stand for
    // themselves as U+FFFD, each.
    EXPECT_EQ(Utf16FromWtf8("a\xE6\x97" "b\x80"), u"a\uFFFD\uFFFDb\uFFFD");
    EXPECT_FALSE(IsWtf8("a\xE6\x97" "b"));
}

// What a run of bytes is as UTF-8, at the edges of Unicode's table of
// sequences and of the 64 bytes checked at once; and of a slice cut from a
// longer text, a character cut at either end of it not held against it,
// what else is wrong in it held.
TEST(Utf8FormOf, TellsAsciiUtf8AndWhatIsNeither)
{
    const std::string ascii(100, 'a');
    const Utf8Form A = Utf8Form::Ascii, U = Utf8Form::Utf8, N = Utf8Form::NotUtf8;
    const struct {
        std::string bytes;
        Utf8Form whole;
        Utf8Form slice;
    } cases[] = {
        {"", A, A},
        {"\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", U, U},
        {"\xC1\xBF", N, N},          // overlong, in two bytes
        {"\xE0\x9F\xBF", N, N},      // and in three
        {"\xF0\x8F\xBF\xBF", N, N},  // and in four
        {"\xED\xA0\x80", N, N},      // the first surrogate
        {"\xED\xBF\xBF", N, N},      // the last
        {"\xF4\x90\x80\x80", N, N},  // past U+10FFFF
        {"\xF5\x80\x80\x80", N, N},
        {"x\xE2\x84", N, A},          // cut at the end
        {"\x84\xAA" "x", N, A},        // and at the start
        {"\x80\x80\x80\x80" "x", N, N},  // no character has four trail bytes
        {"x\xE2\x84\xC3", N, N},      // what a slice's end cuts is its last character alone
    };
    for (const auto& c : cases) {
        const char* const pch = c.bytes.data();
        EXPECT_EQ(Utf8FormOf(pch, pch + c.bytes.size()), c.whole) << "row " << (&c - cases);
        EXPECT_EQ(Utf8FormOfSlice(pch, pch + c.bytes.size()), c.slice) << "row " << (&c - cases) << ", as a slice";
    }
    // Seen at every place of the 64 bytes checked at once, and of the next.
    for (std::size_t nAt = 0; nAt < ascii.size(); ++nAt) {
        for (const auto& [pszInserted, form] : {std::pair{"\x80", N}, std::pair{"\xC3", N}, std::pair{"\xC3\xA9", U}}) {
            const std::string bytes = ascii.substr(0, nAt) + pszInserted + ascii;
            EXPECT_EQ(Utf8FormOf(bytes.data(), bytes.data() + bytes.size()), form) << "at " << nAt;
        }
    }
}

// A long text goes to a console in pieces of at most so many units, none
// parting a surrogate pair, and each holding at least one character.
TEST(Utf16PieceEnd, CutsNoPairInTwoAndAlwaysMovesOn)
{
    const std::u16string pair = u"\U0001F600";
    const struct {
        std::u16string text;
        std::size_t nFrom, nMaxUnits, nEnd;
    } cases[] = {
        {u"abcdef", 0, 4, 4},
        {u"abc" + pair + u"d", 0, 4, 3},      // the pair would be parted
        {u"ab" + pair + u"d", 0, 4, 4},       // it fits
        {u"abc" + pair, 3, 4, 5},             // the rest fits
        {u"abc\xD800" u"def", 0, 4, 4},        // a lone high surrogate is no pair
        {u"ab", 0, 0, 1},                     // no room: one character all the same
        {u"ab", 1, 0, 2},
        {pair + u"d", 0, 1, 2},               // the pair whole, not parted
        {pair, 0, 0, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf16PieceEnd(c.text, c.nFrom, c.nMaxUnits), c.nEnd) << "row " << (&c - cases);
    // Nothing past the text counts: a high surrogate at its end is lone.
    const std::u16string longer = u"abc" + pair;
    EXPECT_EQ(Utf16PieceEnd(std::u16string_view(longer).substr(0, 4), 0, 4), 4u);
}
