#include "framework/portable/FileException.h"
#include "search/SearchRun.h"
#include "store/DataFile.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

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

// Random files of the bytes the rules act on, with lines longer than a block.
std::string GeneratedFile(std::mt19937& random, std::size_t nLength)
{
    static const char alphabet[] = {'a', 'A', 'n', 'd', 'D', ' ', '.', '\t', '\r', '\n', '-', 'x', '\0', '\x1A'};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
    std::string bytes = "\n";  // no byte-order mark by chance
    while (bytes.size() < nLength)
        bytes += alphabet[pick(random)];
    return bytes;
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

TEST(SearchRun, AgreesWithTheLiteralRules)
{
    const std::string defaultList = DefaultJournalFile();
    const std::string cc0 = Cc0Collection();
    const struct {
        const char* name;
        std::string file;
    } files[] = {{"default list, LF", defaultList}, {"default list, CR LF", WithCrLf(defaultList)}, {"CC0", cc0}};
    for (const auto& f : files) {
        for (const char* query : {"chem", "j phys", "ur", "soc journal", "Acta", "top", "zzqx"})
            EXPECT_EQ(Shown(f.file, query), ReferenceResults(f.file, query)) << f.name << ": " << query;
    }
    std::mt19937 random(42);
    for (int nFile = 0; nFile < 40; ++nFile) {
        const std::string bytes = GeneratedFile(random, nFile % 8 == 7 ? 200000 : 400);
        for (const char* query : {"an", "ax", "a-", "x x", "nd", "dx", "a.x", "a AND x", "--", "a\rx", "x\x1A"})
            ASSERT_EQ(Shown(bytes, query), ReferenceResults(bytes, query)) << "file " << nFile << " query " << query;
    }
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
