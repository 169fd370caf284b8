#include "framework/portable/FileException.h"
#include "search/Fold.h"
#include "search/SearchRun.h"
#include "search/VectorLevel.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

const std::string kSeparator = "\r\n" + std::string(115, '-') + "\r\n";
const std::string kNotAnsi = "'Norvane.txt' is not an ANSI code file";

// The blocks of a result, one a journal.
std::size_t BlocksIn(const std::string& shown)
{
    std::size_t nBlocks = 1;
    for (std::size_t i = shown.find(kSeparator); i != std::string::npos; i = shown.find(kSeparator, i + 1))
        ++nBlocks;
    return nBlocks;
}

}  // namespace

TEST(SearchRun, ShowsTheResultsOrAMessage)
{
    const TextCoding kUtf8 = TextCoding::Utf8;
    // "xé" from a list read as UTF-8, where "xÉ" finds it; in Windows-1252
    // the two are "xÃ©" and "xÃ‰", which nothing folds into one. A list that
    // is UTF-8 until its third block of reading, with no sign of it in the
    // slices the search looks at first; one with "é" across the end of the
    // first 256 KB read.
    const std::string xe = "x\xC3\xA9\r\n";
    std::string lateByte = xe + std::string(520000, 'y') + "\xE9\r\n" + std::string(500000, 'y');
    std::string straddling = xe;
    while (straddling.size() < 262141)
        straddling += "yyyyyy\r\n";
    straddling += "zz\xC3\xA9\r\n";
    const struct {
        const char* name;
        std::string file;
        const char* query;
        std::string shown;
        unsigned nCodePage = 1252;
        TextCoding coding = TextCoding::Ansi;  // of a result
        const char* ansiQuery = nullptr;       // the query in the code page, where not its bytes; lacking
                                               // a character where it holds the '?' that stands for it
    } cases[] = {
        {"blocks in file order", "Ab\tOne\tTwo\r\nzz\r\nAb plain\r\n", "ab", "Ab\r\nOne\r\nTwo" + kSeparator + "Ab plain"},
        {"empty file", "", "ab", "No Results"},
        {"one byte, no mark", "\xEF", "ab", "No Results"},
        {"short query", "ab\r\n", " and A ", "(nothing)"},
        {"line break in the query", "ab\r\n", "a\r\nb", "No Results"},
        {"hyphen entry keeps its hyphens", "ab\r\nab-----\r\n", "ab", "ab" + kSeparator + "ab-----"},
        {"UTF-8 mark", "\xEF\xBB\xBF" "ab\r\n", "ab", kNotAnsi},
        {"UTF-8 mark, third byte not looked at", "\xEF\xBBZab\r\n", "ab", kNotAnsi},
        {"UTF-8 mark alone", "\xEF\xBB", "ab", kNotAnsi},
        {"half a UTF-8 mark", "\xEF" "ab\r\n\xBB" "ab\r\n", "ab", "\xEF" "ab" + kSeparator + "\xBB" "ab"},
        {"UTF-16 LE mark", std::string("\xFF\xFE" "a\0b\0", 6), "ab", kNotAnsi},
        {"half a UTF-16 LE mark", "\xFF" "ab", "ab", "\xFF" "ab"},
        {"UTF-16 BE passes", "\xFE\xFF" "ab\r\n", "ab", "\xFE\xFF" "ab"},
        {"lone CRs end no line", "x\rab\r\nab\n", "ab", "x\rab" + kSeparator + "ab"},
        {"CR CR LF", "ab\r\r\nab", "ab", "ab\r" + kSeparator + "ab"},
        {"last line without LF", "zz\r\nab", "ab", "ab"},
        {"Deutsches \xC4rzteblatt", "Dtsch. \xC4rztebl.\tDeutsches \xC4rzteblatt\r\n", "deutsches \xE4rzte",
         "Dtsch. \xC4rztebl.\r\nDeutsches \xC4rzteblatt"},
        {"Cyrillic of 1251", "\xC6\xF3\xF0\xED\xE0\xEB\r\n", "\xE6\xF3\xF0\xED", "\xC6\xF3\xF0\xED\xE0\xEB", 1251},
        {"final sigma of 1253", "\xE1\xE3\xE9\xEF\xF2\r\n", "\xC9\xCF\xD3", "\xE1\xE3\xE9\xEF\xF2", 1253},
        // UTF-8, every letter in either case, found by its last byte.
        {"and k the Kelvin sign", "5 k.\r\n\xC3\xA9\r\n", "5\xE2\x84\xAA", "5 k.", 1252, kUtf8},
        {"the Kelvin sign found by its last byte", "\xE2\x84\xAAK\r\n\xC3\xA9\r\n", "kk", "\xE2\x84\xAAK", 1252, kUtf8},
        {"capital sharp s", "STRA\xE1\xBA\x9ESE\r\n", "stra\xC3\x9F", "STRA\xE1\xBA\x9ESE", 1252, kUtf8},
        {"a letter whose small one is longer", "\xC8\xBA\xC8\xBA\r\n", "\xE2\xB1\xA5\xC8\xBA", "\xC8\xBA\xC8\xBA", 1252, kUtf8},
        {"as read in the code page", "x\xC3\xA9\r\nCaf\xE9\r\n", "x\xC3\x89", "No Results"},
        {"Shift JIS is no UTF-8", "x\xC3\xA9\r\n\x93\xFA\x96\x7B\r\n", "x\xC3\x89", "No Results", 932},
        {"nor a sequence cut at the end", "x\xC3\xA9\r\n\xE2\x84", "x\xC3\x89", "No Results"},
        {"nor a byte in the third block", lateByte, "x\xC3\x89", "No Results"},
        {"a character across two reads", straddling, "\xC3\x89", "x\xC3\xA9" + kSeparator + "zz\xC3\xA9", 1252, kUtf8},
        {"Windows-1252 that is UTF-8 is read as such", "Caf\xC3\xA9\r\n", "CAF\xC3\x89", "Caf\xC3\xA9", 1252, kUtf8},
        // A character the code page lacks ("\xC5\x82") is in no line of it, not even as
        // the '?' that stands for it; alone it is short there. A list of ASCII alone
        // is one of the code page, where the Kelvin sign is none and "\xC3\xBC" one byte, short.
        {"a character the code page lacks", "?ab\r\n", "\xC5\x82" "ab", "No Results", 1252, TextCoding::Ansi, "?ab"},
        {"alone", "?ab\r\n", "\xC5\x82", "(nothing)", 1252, TextCoding::Ansi, "?"},
        {"found in UTF-8", "\xC5\x82" "ab\r\n", "\xC5\x82" "ab", "\xC5\x82" "ab", 1252, kUtf8, "?ab"},
        {"ASCII is of the code page", "kab\r\n", "\xE2\x84\xAA" "ab", "No Results", 1252, TextCoding::Ansi, "?ab"},
        {"where a query may be short", "ab\r\n", "\xC3\xBC", "(nothing)", 1252, TextCoding::Ansi, "\xFC"},
        // Lone CRs that trim to nothing, with the separator before them.
        {"an entry that trims to nothing", "\r\r\r\n", "\r\r", "No Results"},
        {"the last entry that does", "x\r\r\r\r\n\t\r\r\r\n", "\r\r", "x\r\r\r\r\n" + std::string(115, '-')},
        // Shift JIS: 0x83 leads a character, whose trail byte may look like a letter.
        {"a byte of each", "\x83\x61x\r\n\x83\x41x\r\n", "\x83\x41x", "\x83\x61x" + kSeparator + "\x83\x41x"},
        {"a lead byte that ends the text", "xab\x83\r\n", "ab\x83", "xab\x83", 932},
        {"nor after the last lead byte of a range", "\xFC\x61x\r\n\x9F\x61x\r\n", "ax", "No Results", 932},
        // The lines "dxy" make the first "x" of the query the anchor: its
        // first candidate fails, the match starts at the very next byte.
        {"a match right after a candidate that fails", "dxy\r\ndxy\r\ndxy\r\nxxxy", "xxy", "xxxy"},
        {"and at the very first place", "xxxy\r\ndxy\r\ndxy\r\ndxy", "xxy", "xxxy"},
    };
    for (VectorLevel level : {VectorLevel::Scalar, VectorLevel::Sse2, VectorLevel::Avx2}) {
        LimitVectorLevel(level);
        SCOPED_TRACE("vector level " + std::to_string(int(level)));
        for (const auto& c : cases) {
            CQuery query = QueryOfBytes(c.query);
            if (c.ansiQuery)
                query.inAnsi = [&] { return CAnsiText{c.ansiQuery, std::strchr(c.ansiQuery, '?') != nullptr}; };
            const CShown shown = ShownFor(c.file, query, CListCoding::Ansi(c.nCodePage));
            EXPECT_EQ(shown.text, c.shown) << c.name;
            // A journal a block; a message, to a screen reader too, counts none.
            const bool bMessage = c.shown == "No Results" || c.shown == kNotAnsi || c.shown == "(nothing)";
            EXPECT_EQ(shown.nJournals, bMessage ? 0 : BlocksIn(c.shown)) << c.name << ", the journals counted";
            EXPECT_TRUE(bMessage || shown.coding == c.coding) << c.name << ", read in the other coding";
        }
    }
    LimitVectorLevel(VectorLevel::Avx2);
}

namespace {

// The fast search against the literal rules on one list, for each query:
// the text shown and the journals counted, at every vector width this
// processor has.
void ExpectTheLiteralRules(const std::string& name, const std::string& bytes, const CListCoding& ansi,
                           const std::vector<std::string>& queries)
{
    CTempDir dir;
    WriteBytes(dir.Path("Norvane.txt"), bytes);
    const CReferenceFile reference(bytes, ansi);
    for (const std::string& query : queries) {
        std::size_t nJournals = 0;
        const std::string expected = reference.Results(query, &nJournals);
        for (VectorLevel level : {VectorLevel::Scalar, VectorLevel::Sse2, VectorLevel::Avx2}) {
            LimitVectorLevel(level);
            const CShown shown = ShownIn(dir, QueryOfBytes(query), ansi);
            ASSERT_EQ(shown.text, expected) << name << ": " << query << ", vector level " << int(level);
            ASSERT_EQ(shown.nJournals, nJournals) << name << ": " << query << ", the journals counted";
        }
    }
    LimitVectorLevel(VectorLevel::Avx2);
}

}  // namespace

// On real lists, many blocks long: the built-in one; the CC0 collection,
// which is UTF-8; and the collection with one byte that is no UTF-8 at its
// end, so read in Windows-1252 and in Shift JIS, whose lead bytes its UTF-8
// holds. The queries are written as users type them: spaces, dots, "and"
// and case where the lines have none and the other way round, a hyphen, a
// colon, letters beyond ASCII, a double-byte character.
TEST(SearchRun, AgreesWithTheLiteralRulesOnRealLists)
{
    const std::string cc0 = SourceFile("store/cc0-journals.txt");
    const std::vector<std::string> queries = {
        "chem", "j phys", "soc journal", "zzqx", "a-x", "a AND x", "\x83\x41x", "ApPl.PhYs", "J.Am.Chem.Soc.",
        "Mater and Des", "journal of the", "Acta Crystallogr. B", "z.n.", "Proc: R. Soc", "anand", "Rev. Mod",
        "F\xC3\x9CR", "\xC3\x84rzte", "\xCE\x91\xCE\xA3\xCE\xA4\xCE\xA1", "\xCF\x83 ", "\xE2\x80\x93", "k\xC3\xB6ln"};
    ExpectTheLiteralRules("default list", WithCrLf(DefaultJournalFile()), CListCoding::Ansi(1252), queries);
    ExpectTheLiteralRules("CC0", cc0, CListCoding::Ansi(1252), queries);
    ExpectTheLiteralRules("CC0 in 1252", cc0 + "\xFF", CListCoding::Ansi(1252), queries);
    ExpectTheLiteralRules("CC0 in 932", cc0 + "\xFF", CListCoding::Ansi(932), queries);
}

// And on lists made of what the rules treat apart: "and", the dropped
// characters, tabs, lone CRs, 0x1A, NUL, letters in either case, forms
// whose folded one is longer or shorter, lines longer than a block and
// lines across the ends of blocks; in UTF-8 (and UTF-8 but for its last
// byte), in Windows-1252 and in Shift JIS, with queries cut from its lines
// and made of the same pieces.
TEST(SearchRun, AgreesWithTheLiteralRulesOnMadeLists)
{
    const std::vector<std::string> common = {"a", "A", "n", "N", "d", "D", "and", " ", ".", ",", ":", "&", "\t",
                                             "\r", "\x1A", std::string(1, '\0'), "-", "k", "K", "s", "i", "x"};
    const struct {
        const char* name;
        std::vector<std::string> pieces;  // beside the common ones
        std::string end;
        CListCoding ansi;
    } lists[] = {
        {"UTF-8", {"\xE2\x84\xAA", "\xC5\xBF", "\xCF\x83", "\xCF\x82", "\xCE\xA3", "\xC3\x9F", "\xE1\xBA\x9E", "\xC8\xBA",
                   "\xE2\xB1\xA5", "\xC4\xB0", "\xC3\xA9", "\xC3\x89", "\xE6\x97\xA5"},
         "", CListCoding::Ansi(1252)},
        {"UTF-8 to its last byte", {"\xE2\x84\xAA", "\xC3\xA9", "\xC3\x89"}, "\xE9", CListCoding::Ansi(1252)},
        {"1252", {"\xC4", "\xE4", "\x8A", "\x9A", "\x9F", "\xFF", "\xDF", "\xB5"}, "", CListCoding::Ansi(1252)},
        {"932", {"\x83\x41", "\x83\x61", "\xE0\x61", "\xDF", "\x81\x40", "\x83"}, "", CListCoding::Ansi(932)},
    };
    std::mt19937 random(20261208);
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    for (const auto& l : lists) {
        std::vector<std::string> pieces = common;
        pieces.insert(pieces.end(), l.pieces.begin(), l.pieces.end());
        const auto made = [&](std::size_t nPieces) {
            std::string text;
            while (nPieces-- > 0)
                text += pieces[pick(pieces.size())];
            return text;
        };
        std::vector<std::string> lines;
        std::string bytes;
        while (bytes.size() < 600000) {
            lines.push_back(pick(500) == 0 ? std::string(270000, 'x') + made(5) : made(1 + pick(12)));
            bytes += lines.back() + (pick(4) ? "\r\n" : "\n");
        }
        bytes += l.end;
        std::vector<std::string> queries;
        for (int i = 0; i < 40; ++i) {
            const std::string& line = lines[pick(lines.size())];
            const std::size_t nFrom = pick(line.size() + 1);
            queries.push_back(i % 2 ? made(1 + pick(4)) : line.substr(nFrom, 1 + pick(6)));
        }
        ExpectTheLiteralRules(l.name, bytes, l.ansi, queries);
    }
}

// The run that writes a missing list leaves the box empty, with no journal
// counted, so that no screen reader hears one. A folder counts as the data
// file: never written over, and a file error to read. The driver's test
// adds a pipe.
TEST(SearchRun, AMissingListIsWrittenAnEntryThatIsNoFileIsAFileError)
{
    CTempDir dir;
    const std::string strPath = dir.Path("Norvane.txt");
    const CShown shown = ShownIn(dir, QueryOfBytes("jacs"), CListCoding::Ansi(1252));
    EXPECT_TRUE(shown.text.empty() && shown.nJournals == 0) << shown.nJournals;
    std::filesystem::remove(PathOf(strPath));
    std::filesystem::create_directory(PathOf(strPath));
    try {
        ShownIn(dir, QueryOfBytes("jacs"), CListCoding::Ansi(1252));
        ADD_FAILURE() << "no file error";
    } catch (const CFileException& e) {
        EXPECT_EQ(std::string(e.GetPath().GetString()), strPath);
        EXPECT_STREQ(e.GetCause().GetString(), "It is a folder, not a file");
    }
    EXPECT_TRUE(std::filesystem::is_directory(PathOf(strPath)));
}
