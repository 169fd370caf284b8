#include "framework/portable/FileException.h"
#include "search/Fold.h"
#include "search/MatchScan.h"
#include "search/SearchRun.h"
#include "search/VectorLevel.h"
#include "store/DataFile.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <random>

namespace {

const std::string kSeparator = "\r\n" + std::string(115, '-') + "\r\n";
const std::string kNotAnsi = "'Norvane.txt' is not an ANSI code file";

std::size_t CountEntries(const std::string& text)
{
    std::size_t nCount = 1;
    for (std::size_t nAt = 0; (nAt = text.find(kSeparator, nAt)) != std::string::npos; nAt += kSeparator.size())
        ++nCount;
    return nCount;
}

// Random files of the bytes the rules act on, with lines longer than a
// block; for a double-byte code page also lead bytes, whose trail bytes
// are then letters too.
std::string GeneratedFile(std::mt19937& random, std::size_t nLength, bool bDoubleByte)
{
    static const std::string alphabet = std::string("aAnNdD .,:&\t\r\n-xX\x1A\xC4", 20) + '\0';
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - (bDoubleByte ? 0 : 1));
    std::uniform_int_distribution<int> lineLength(0, 300);
    std::string bytes = "\n";  // no byte-order mark by chance
    while (bytes.size() < nLength) {
        const std::size_t nPick = pick(random);
        bytes += nPick < alphabet.size() ? alphabet[nPick] : '\x83';
        if (lineLength(random) == 0)  // now and then a line of its own, some long
            bytes += std::string(static_cast<std::size_t>(lineLength(random)) * 300, 'x') + "\r\n";
    }
    return bytes;
}

// A query made of a piece of a line of the file, with its case changed and
// dropped characters or an "and" put in here and there: most such queries
// match.
std::string QueryFrom(std::mt19937& random, const std::string& bytes)
{
    std::uniform_int_distribution<std::size_t> place(0, bytes.size() - 1);
    std::uniform_int_distribution<int> length(2, 12);
    std::uniform_int_distribution<int> change(0, 9);
    const std::string piece = bytes.substr(place(random), static_cast<std::size_t>(length(random)));
    std::string query;
    for (char ch : piece.substr(0, piece.find_first_of("\r\n"))) {
        const int nChange = change(random);
        query += nChange == 0 ? std::string(" ") : nChange == 1 ? std::string("and") : nChange == 2 ? std::string(".") : "";
        query += nChange == 3 && std::isalpha(static_cast<unsigned char>(ch)) ? static_cast<char>(ch ^ 0x20) : ch;
    }
    return query;
}

// What a run shows for the query in the folder.
std::string ShownFor(const CTempDir& dir, const std::string& query, const CLeadBytes& leadBytes)
{
    std::string shown = "(nothing)";
    RunSearch(dir.Dir().c_str(), CString(query.data(), query.size()),
              [&](const CString& text) { shown.assign(text.GetString(), text.GetLength()); }, leadBytes);
    return shown;
}

class DefaultListSearch : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new CTempDir;
        ResetDataFile(s_dir->Dir().c_str());
    }
    static void TearDownTestSuite() { delete s_dir; }

    static std::string Search(const std::string& query)
    {
        const std::vector<std::string> shown = RunAndCollect(s_dir->Dir(), query);
        return shown.empty() ? "(nothing)" : shown.back();
    }

    static CTempDir* s_dir;
};

CTempDir* DefaultListSearch::s_dir = nullptr;

}  // namespace

TEST(SearchRun, ShowsTheResultsOrAMessage)
{
    const struct {
        const char* name;
        std::string file;
        const char* query;
        std::string shown;
    } cases[] = {
        {"blocks in file order", "Ab\tOne\tTwo\r\nzz\r\nAb plain\r\n", "ab", "Ab\r\nOne\r\nTwo" + kSeparator + "Ab plain"},
        {"no match", "xx\r\n", "ab", "No Results"},
        {"empty file", "", "ab", "No Results"},
        {"one byte, no mark", "\xEF", "ab", "No Results"},
        {"short query", "ab\r\n", " and A ", "(nothing)"},
        {"line break in the query", "ab\r\n", "a\r\nb", "No Results"},
        {"hyphen entry keeps its hyphens", "ab\r\nab-----\r\n", "ab", "ab" + kSeparator + "ab-----"},
        {"hyphens around", "--ab--\r\n", "ab", "--ab--"},
        {"empty title", "ab\t\r\n", "ab", "ab"},
        {"UTF-8 mark", "\xEF\xBB\xBF" "ab\r\n", "ab", kNotAnsi},
        {"UTF-8 mark, third byte not looked at", "\xEF\xBBZab\r\n", "ab", kNotAnsi},
        {"UTF-8 mark alone", "\xEF\xBB", "ab", kNotAnsi},
        {"UTF-16 LE mark", std::string("\xFF\xFE" "a\0b\0", 6), "ab", kNotAnsi},
        {"UTF-16 BE passes", "\xFE\xFF" "ab\r\n", "ab", "\xFE\xFF" "ab"},
        {"NUL shows as a space", std::string("ab\0x\tT\r\nab2\r\n", 13), "ab", "ab x\r\nT" + kSeparator + "ab2"},
        {"0x1A ends nothing", "ab\x1A" "cd\r\nxx\r\nab after\r\n", "ab", "ab\x1A" "cd" + kSeparator + "ab after"},
        {"lone CRs end no line", "x\rab\r\nab\n", "ab", "x\rab" + kSeparator + "ab"},
        {"CR CR LF", "ab\r\r\nab", "ab", "ab\r" + kSeparator + "ab"},
        {"last line without LF", "zz\r\nab", "ab", "ab"},
        {"high bytes match themselves", "\xC4\xD6\xDC\tx\r\n\xE4\xF6\xFC\tx\r\n", "\xC4\xD6", "\xC4\xD6\xDC\r\nx"},
        {"high bytes have no case", "\xC4\xD6\tx\r\n", "\xE4\xF6", "No Results"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shown(c.file, c.query), c.shown) << c.name;
}

TEST(SearchRun, MatchesByCharacterInADoubleByteCodePage)
{
    const CLeadBytes shiftJis = LeadBytesOfCodePage(932);
    const struct {
        std::string file;
        const char* query;
        std::string shown;  // in code page 932
        std::string shownSingleByte;
    } cases[] = {
        {"\x83\x61x\r\n\x83\x41x\r\n", "\x83\x41x", "\x83\x41x", "\x83\x61x" + kSeparator + "\x83\x41x"},
        {"\x83\x61x\r\n", "ax", "No Results", "\x83\x61x"},  // no match starts on a trail byte
        {"\x83\x61nd\r\n", "nd", "\x83\x61nd", "No Results"},  // nor an "and"
    };
    for (const auto& c : cases) {
        CTempDir dir;
        WriteBytes(dir.Path("Norvane.txt"), c.file);
        EXPECT_EQ(ShownFor(dir, c.query, shiftJis), c.shown) << c.query;
        EXPECT_EQ(ShownFor(dir, c.query, CLeadBytes()), c.shownSingleByte) << c.query;
    }
}

TEST_F(DefaultListSearch, FindsTheKnownEntries)
{
    const std::string jacs = "JACS\r\nJournal of the American Chemical Society";
    const struct {
        const char* query;
        std::size_t nEntries;  // 0: not counted
        std::string contains;
    } cases[] = {
        {"jacs", 1, jacs},
        {"J. Am. Chem. Soc.", 1, "J. Am. Chem. Soc.\r\nJournal of the American Chemical Society"},
        {"American Chemical", 6, jacs},
        {"Radiation Isotopes", 3, "Appl. Radiat. Isot.\r\nApplied Radiation and Isotopes"},
        {"random", 0, "Acta Chromatogr.\r\n"},
        {"Anal. Chem.", 0, "Anal. Chem.\r\nAnalytical Chemistry"},
        {"Anal. Chem.", 0, "Chin. J. Anal. Chem.\r\n"},
        {"top", 73, kSeparator + "B top" + kSeparator},
        {"soc journal", 1, "No Results"},
    };
    for (const auto& c : cases) {
        const std::string shown = Search(c.query);
        if (c.nEntries != 0) {
            EXPECT_EQ(CountEntries(shown), c.nEntries) << c.query;
        }
        EXPECT_NE(shown.find(c.contains), std::string::npos) << c.query;
    }
    const std::string top = Search("top");
    for (char chLetter = 'C'; chLetter <= 'Z'; ++chLetter) {
        if (chLetter != 'Y') {
            EXPECT_NE(top.find(kSeparator + chLetter + " top" + kSeparator), std::string::npos) << chLetter;
        }
    }
}

// The fast search against the literal rules: on the built-in list, the CC0
// collection and generated files (single-byte, and Shift JIS with letters
// as trail bytes), read through a map and in small blocks, with queries
// taken from the files' own lines, at every vector width this processor has.
TEST(SearchRun, AgreesWithTheLiteralRules)
{
    std::mt19937 random(42);
    const CLeadBytes singleByte;
    const CLeadBytes shiftJis = LeadBytesOfCodePage(932);
    const struct {
        const char* name;
        std::string bytes;
        const CLeadBytes& leadBytes;
    } files[] = {
        {"default list", WithCrLf(DefaultJournalFile()), singleByte},
        {"CC0", Cc0Collection(), singleByte},
        {"generated", GeneratedFile(random, 30000, false), singleByte},
        {"generated, long lines", GeneratedFile(random, 300000, false), singleByte},
        {"generated, code page 932", GeneratedFile(random, 30000, true), shiftJis},
    };
    for (const auto& f : files) {
        CTempDir dir;
        WriteBytes(dir.Path("Norvane.txt"), f.bytes);
        const CReferenceFile reference(f.bytes, f.leadBytes);
        std::vector<std::string> queries = {"chem", "j phys", "soc journal", "zzqx", "a-x", "a AND x", "\x83\x41x"};
        for (int i = 0; i < 10; ++i)
            queries.push_back(QueryFrom(random, f.bytes));
        for (const std::string& query : queries) {
            if (ReferenceFoldQuery(query, f.leadBytes).size() < kMinQueryLength)
                continue;
            const std::string expected = reference.Results(query);
            for (VectorLevel level : {VectorLevel::Scalar, VectorLevel::Sse2, VectorLevel::Avx2}) {
                LimitVectorLevel(level);
                ASSERT_EQ(ShownFor(dir, query, f.leadBytes), expected) << f.name << ", vectors " << int(level) << ": "
                                                                       << query;
                CStdioFile file(f.bytes.size() < 100000 ? 7 : 4096);  // lines cut at every block boundary
                file.OpenRead(dir.Path("Norvane.txt").c_str());
                const CString blocks = CollectMatches(file, FoldQuery(query.c_str(), f.leadBytes), f.leadBytes);
                ASSERT_EQ(blocks.IsEmpty() ? "No Results" : blocks.GetString(), expected) << f.name << ": " << query;
            }
        }
    }
    LimitVectorLevel(VectorLevel::Avx2);
}

TEST(SearchRun, RewritesAMissingDataFileAndLeavesTheQueryForTheNextRun)
{
    CTempDir dir;
    EXPECT_EQ(RunAndCollect(dir.Dir(), "jacs"),
              (std::vector<std::string>{"Please wait for resetting 'Norvane.txt' file...", ""}));
    EXPECT_EQ(ReadBytes(dir.Path("Norvane.txt")), WithCrLf(DefaultJournalFile()));
    EXPECT_EQ(RunAndCollect(dir.Dir(), "jacs"),
              (std::vector<std::string>{"JACS\r\nJournal of the American Chemical Society"}));
}

TEST(SearchRun, AFolderNamedLikeTheDataFileIsAFileErrorAndStays)
{
    CTempDir dir;
    std::filesystem::create_directory(dir.Path("Norvane.txt"));
    try {
        RunAndCollect(dir.Dir(), "jacs");
        ADD_FAILURE() << "no file error";
    } catch (const CFileException& e) {
        EXPECT_EQ(std::string(e.GetPath().GetString()), dir.Path("Norvane.txt"));
        EXPECT_STREQ(e.GetCause().GetString(), "It is a folder, not a file");
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("Norvane.txt")));
}
