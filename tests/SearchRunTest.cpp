#include "framework/portable/FileException.h"
#include "search/Fold.h"
#include "search/SearchRun.h"
#include "search/VectorLevel.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    const struct {
        const char* name;
        std::string file;
        const char* query;
        std::string shown;
        unsigned nCodePage = 1252;
    } cases[] = {
        {"blocks in file order", "Ab\tOne\tTwo\r\nzz\r\nAb plain\r\n", "ab", "Ab\r\nOne\r\nTwo" + kSeparator + "Ab plain"},
        {"no match", "xx\r\n", "ab", "No Results"},
        {"empty file", "", "ab", "No Results"},
        {"one byte, no mark", "\xEF", "ab", "No Results"},
        {"short query", "ab\r\n", " and A ", "(nothing)"},
        {"line break in the query", "ab\r\n", "a\r\nb", "No Results"},
        {"a CR in the query is no line end", "xab\r\n", "ab\r", "No Results"},
        {"hyphen entry keeps its hyphens", "ab\r\nab-----\r\n", "ab", "ab" + kSeparator + "ab-----"},
        {"hyphens around", "--ab--\r\n", "ab", "--ab--"},
        {"a colon beside the query's rarest byte", "a:b", "ab", "a:b"},
        {"a letter right after an \"and\"", "anddx\r\n", "dx", "anddx"},
        {"empty title", "ab\t\r\n", "ab", "ab"},
        {"UTF-8 mark", "\xEF\xBB\xBF" "ab\r\n", "ab", kNotAnsi},
        {"UTF-8 mark, third byte not looked at", "\xEF\xBBZab\r\n", "ab", kNotAnsi},
        {"UTF-8 mark alone", "\xEF\xBB", "ab", kNotAnsi},
        {"half a UTF-8 mark", "\xEF" "ab\r\n\xBB" "ab\r\n", "ab", "\xEF" "ab" + kSeparator + "\xBB" "ab"},
        {"UTF-16 LE mark", std::string("\xFF\xFE" "a\0b\0", 6), "ab", kNotAnsi},
        {"half a UTF-16 LE mark", "\xFF" "ab", "ab", "\xFF" "ab"},
        {"UTF-16 BE passes", "\xFE\xFF" "ab\r\n", "ab", "\xFE\xFF" "ab"},
        {"NUL shows as a space", std::string("ab\0x\tT\r\nab2\r\n", 13), "ab", "ab x\r\nT" + kSeparator + "ab2"},
        {"0x1A ends nothing", "ab\x1A" "cd\r\nxx\r\nab after\r\n", "ab", "ab\x1A" "cd" + kSeparator + "ab after"},
        {"lone CRs end no line", "x\rab\r\nab\n", "ab", "x\rab" + kSeparator + "ab"},
        {"CR CR LF", "ab\r\r\nab", "ab", "ab\r" + kSeparator + "ab"},
        {"last line without LF", "zz\r\nab", "ab", "ab"},
        {"a line longer than a block", "ab" + std::string(300000, 'x') + "\r\nab", "ab",
         "ab" + std::string(300000, 'x') + kSeparator + "ab"},
        {"high bytes match themselves", "\xC4\xD6\xDC\tx\r\n\xE4\xF6\xFC\tx\r\n", "\xC4\xD6", "\xC4\xD6\xDC\r\nx"},
        // Shift JIS: 0x83 leads a character, whose trail byte may look like a letter.
        {"trail bytes keep their case", "\x83\x61x\r\n\x83\x41x\r\n", "\x83\x41x", "\x83\x41x", 936},
        {"a byte of each", "\x83\x61x\r\n\x83\x41x\r\n", "\x83\x41x", "\x83\x61x" + kSeparator + "\x83\x41x"},
        {"a character of two bytes at the very end", "\x83\x61\r\n\x83\x41", "\x83\x41", "\x83\x41", 932},
        {"a lead byte that ends the text", "xab\x83\r\n", "ab\x83", "xab\x83", 932},
        {"no match starts on a trail byte", "\xE0\x61x\r\n\x81\x61x\r\n", "ax", "No Results", 932},
        {"nor after the last lead byte of a range", "\xFC\x61x\r\n\x9F\x61x\r\n", "ax", "No Results", 932},
        {"half-width katakana are single bytes, as are 0x80 and 0xA0", "\xDF" "ax\r\n\x80" "ax\r\n\xA0" "ax", "ax",
         "\xDF" "ax" + kSeparator + "\x80" "ax" + kSeparator + "\xA0" "ax", 932},
        {"nor does an \"and\"", "\x83\x61nd\r\n", "nd", "\x83\x61nd", 932},
        {"\"and\" after a high byte", "\x83\x61nd\r\n", "nd", "No Results"},
        // The lines "dxy" make the first "x" of the query the anchor: its
        // first candidate fails, the match starts at the very next byte.
        {"a match right after a candidate that fails", "dxy\r\ndxy\r\ndxy\r\nxxxy", "xxy", "xxxy"},
        {"and at the very first place", "xxxy\r\ndxy\r\ndxy\r\ndxy", "xxy", "xxxy"},
    };
    for (VectorLevel level : {VectorLevel::Scalar, VectorLevel::Sse2, VectorLevel::Avx2}) {
        LimitVectorLevel(level);
        SCOPED_TRACE("vector level " + std::to_string(int(level)));
        for (const auto& c : cases) {
            std::size_t nJournals = 0;
            EXPECT_EQ(ResultsFor(c.file, c.query, LeadBytesOfCodePage(c.nCodePage), &nJournals), c.shown) << c.name;
            // A journal a block; a message, to a screen reader too, counts none.
            const bool bMessage = c.shown == "No Results" || c.shown == kNotAnsi || c.shown == "(nothing)";
            EXPECT_EQ(nJournals, bMessage ? 0 : BlocksIn(c.shown)) << c.name << ", the journals counted";
        }
    }
    LimitVectorLevel(VectorLevel::Avx2);
}

// The fast search against the literal rules, its text and the journals it
// counts, on real lists: the built-in one and the CC0 collection (also as
// Shift JIS, whose lead bytes its UTF-8 holds), with queries written as
// users type them, at every vector width this processor has; the lists are
// many blocks long.
TEST(SearchRun, AgreesWithTheLiteralRules)
{
    const CLeadBytes singleByte;
    const CLeadBytes shiftJis = LeadBytesOfCodePage(932);
    const struct {
        const char* name;
        std::string bytes;
        const CLeadBytes& leadBytes;
    } files[] = {
        {"default list", WithCrLf(DefaultJournalFile()), singleByte},
        {"CC0", SourceFile("store/cc0-journals.txt"), singleByte},
        {"CC0, code page 932", SourceFile("store/cc0-journals.txt"), shiftJis},
    };
    for (const auto& f : files) {
        CTempDir dir;
        WriteBytes(dir.Path("Norvane.txt"), f.bytes);
        const CReferenceFile reference(f.bytes, f.leadBytes);
        // Spaces, dots, "and" and case where the lines have none, and the
        // other way round; a hyphen, a colon, a double-byte character.
        for (const std::string query : {"chem", "j phys", "soc journal", "zzqx", "a-x", "a AND x", "\x83\x41x", "ApPl.PhYs",
                                        "J.Am.Chem.Soc.", "Mater and Des", "journal of the", "Acta Crystallogr. B", "z.n.",
                                        "Proc: R. Soc", "anand", "Rev. Mod"}) {
            if (ReferenceFoldQuery(query, f.leadBytes).size() < kMinQueryLength)
                continue;
            const std::string expected = reference.Results(query);
            for (VectorLevel level : {VectorLevel::Scalar, VectorLevel::Sse2, VectorLevel::Avx2}) {
                LimitVectorLevel(level);
                SCOPED_TRACE("vector level " + std::to_string(int(level)));
                std::size_t nJournals = 0;
                ASSERT_EQ(ResultsIn(dir, query, f.leadBytes, &nJournals), expected) << f.name << ": " << query;
                EXPECT_EQ(nJournals, reference.Count(query)) << f.name << ": " << query << ", the journals counted";
            }
        }
    }
    LimitVectorLevel(VectorLevel::Avx2);
}

// The run that writes a missing list leaves the box empty, with no journal
// counted, so that no screen reader hears one. A folder counts as the data
// file: never written over, and a file error to read. The driver's test
// adds a pipe.
TEST(SearchRun, AMissingListIsWrittenAnEntryThatIsNoFileIsAFileError)
{
    CTempDir dir;
    const std::string strPath = dir.Path("Norvane.txt");
    std::size_t nJournals = 1;
    EXPECT_TRUE(ResultsIn(dir, "jacs", CLeadBytes(), &nJournals).empty() && nJournals == 0) << nJournals;
    std::filesystem::remove(PathOf(strPath));
    std::filesystem::create_directory(PathOf(strPath));
    try {
        ResultsIn(dir, "jacs");
        ADD_FAILURE() << "no file error";
    } catch (const CFileException& e) {
        EXPECT_EQ(std::string(e.GetPath().GetString()), strPath);
        EXPECT_STREQ(e.GetCause().GetString(), "It is a folder, not a file");
    }
    EXPECT_TRUE(std::filesystem::is_directory(PathOf(strPath)));
}
