#include "framework/FileException.h"
#include "search/SearchRun.h"
#include "store/DataFile.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <stdexcept>

namespace {

const std::string kSeparator = "\r\n" + std::string(115, '-') + "\r\n";

// Every text a run sets, in order.
std::vector<std::string> RunAndCollect(const std::string& strDir, const std::string& query)
{
    std::vector<std::string> shown;
    RunSearch(strDir.c_str(), CString(query.data(), query.size()),
              [&](const CString& text) { shown.emplace_back(text.GetString(), text.GetLength()); });
    return shown;
}

// The one text a run shows against a data file of these bytes.
std::string Shown(const std::string& fileBytes, const std::string& query)
{
    CTempDir dir;
    WriteBytes(dir.Path("Norvane.txt"), fileBytes);
    const std::vector<std::string> shown = RunAndCollect(dir.Dir(), query);
    EXPECT_EQ(shown.size(), 1u) << "query " << query;
    return shown.empty() ? "(nothing)" : shown.back();
}

std::size_t CountEntries(const std::string& text)
{
    std::size_t nCount = 1;
    for (std::size_t nAt = 0; (nAt = text.find(kSeparator, nAt)) != std::string::npos; nAt += kSeparator.size())
        ++nCount;
    return nCount;
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

TEST_F(DefaultListSearch, FindsTheKnownEntries)
{
    EXPECT_EQ(Search("jacs"), "JACS\r\nJournal of the American Chemical Society");
    EXPECT_EQ(Search("J. Am. Chem. Soc."), "J. Am. Chem. Soc.\r\nJournal of the American Chemical Society");
    EXPECT_EQ(CountEntries(Search("American Chemical")), 6u);
    EXPECT_EQ(CountEntries(Search("Radiation Isotopes")), 3u);
    EXPECT_EQ(Search("soc journal"), "No Results");
    EXPECT_NE(Search("random").find("Acta Chromatogr.\r\n"), std::string::npos);
    const std::string anal = Search("Anal. Chem.");
    EXPECT_NE(anal.find("Anal. Chem.\r\nAnalytical Chemistry"), std::string::npos);
    EXPECT_NE(anal.find("Chin. J. Anal. Chem.\r\n"), std::string::npos);
}

TEST_F(DefaultListSearch, ShowsTheSectionMarkersAsEntries)
{
    const std::string top = Search("top");
    EXPECT_EQ(CountEntries(top), 73u);
    for (char chLetter = 'B'; chLetter <= 'Z'; ++chLetter) {
        if (chLetter == 'Y')
            continue;
        const std::string marker = std::string(1, chLetter) + " top";
        EXPECT_NE((kSeparator + top + kSeparator).find(kSeparator + marker + kSeparator), std::string::npos) << marker;
    }
}

TEST_F(DefaultListSearch, LeavesTheBoxAloneForShortQueries)
{
    for (const char* query : {"and", "AND", "a", "hand", " and ", "Land", ""})
        EXPECT_EQ(Search(query), "(nothing)") << query;
}

TEST(ResultText, ComposesBlocksInFileOrder)
{
    EXPECT_EQ(Shown("Ab\tOne\tTwo\r\nzz\r\nAb plain\r\n", "ab"), "Ab\r\nOne\r\nTwo" + kSeparator + "Ab plain");
    EXPECT_EQ(Shown("xx\r\n", "ab"), "No Results");
}

TEST(ResultText, TrimsOnlyTheLastSeparator)
{
    // An entry made of hyphens keeps them; the trim stops at its line end.
    EXPECT_EQ(Shown("ab\r\nab-----\r\n", "ab"), "ab" + kSeparator + "ab-----");
    EXPECT_EQ(Shown("--ab--\r\n", "ab"), "--ab--");
    EXPECT_EQ(Shown("ab\t\r\n", "ab"), "ab");
}

TEST(ResultText, ShowsANulByteAsASpaceAndKeepsWhatFollows)
{
    EXPECT_EQ(Shown(std::string("ab\0x\tT\r\nab2\r\n", 13), "ab"), "ab x\r\nT" + kSeparator + "ab2");
}

TEST(ByteOrderMark, RefusesUtf8AndUtf16LittleEndian)
{
    const std::string kNotAnsi = "'Norvane.txt' is not an ANSI code file";
    EXPECT_EQ(Shown("\xEF\xBB\xBF" "ab\r\n", "ab"), kNotAnsi);
    EXPECT_EQ(Shown("\xEF\xBBZab\r\n", "ab"), kNotAnsi);  // the third byte is not looked at
    EXPECT_EQ(Shown("\xEF\xBB", "ab"), kNotAnsi);
    EXPECT_EQ(Shown("\xFF\xFE" "a\0b\0", "ab"), kNotAnsi);
    EXPECT_EQ(Shown("\xFE\xFF" "ab\r\n", "ab"), "\xFE\xFF" "ab");  // big-endian passes
    EXPECT_EQ(Shown("\xEF", "ab"), "No Results");
    EXPECT_EQ(Shown("", "ab"), "No Results");
}

TEST(LineEnds, LfOnlyFileGivesTheSameResults)
{
    const std::string lf = DefaultJournalFile();
    std::string crlf;
    for (char ch : lf)
        crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    for (const char* query : {"top", "chem", "jacs", "zzzz"})
        EXPECT_EQ(Shown(lf + "\n", query), Shown(crlf, query)) << query;
}

TEST(MissingDataFile, IsRewrittenAndTheQueryWaits)
{
    CTempDir dir;
    EXPECT_EQ(RunAndCollect(dir.Dir(), "jacs"), (std::vector<std::string>{"Please wait for resetting 'Norvane.txt' file...", ""}));
    EXPECT_EQ(ReadBytes(dir.Path("Norvane.txt")).size(), 291086u);
    EXPECT_EQ(RunAndCollect(dir.Dir(), "jacs"), (std::vector<std::string>{"JACS\r\nJournal of the American Chemical Society"}));
}

TEST(EmptyDataFile, ShowsNoResultsAndStaysEmpty)
{
    CTempDir dir;
    WriteBytes(dir.Path("Norvane.txt"), "");
    EXPECT_EQ(RunAndCollect(dir.Dir(), "jacs"), (std::vector<std::string>{"No Results"}));
    EXPECT_EQ(ReadBytes(dir.Path("Norvane.txt")), "");
}

TEST(FolderNamedLikeTheDataFile, IsAFileErrorAndStaysInPlace)
{
    CTempDir dir;
    std::filesystem::create_directory(dir.Path("Norvane.txt"));
    std::vector<std::string> shown;
    EXPECT_THROW(shown = RunAndCollect(dir.Dir(), "jacs"), CFileException);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("Norvane.txt")));
}

TEST(WholeRun, AgreesWithTheLiteralRulesOnGeneratedFiles)
{
    std::mt19937 random(42);
    std::uniform_int_distribution<int> pick(0, 12);
    const char alphabet[] = {'a', 'A', 'n', 'd', 'D', ' ', '.', '\t', '\r', '\n', '-', 'x', '\0'};
    const char* queries[] = {"an", "ax", "a-", "x x", "nd", "dx", "a.x", "a AND x", "--"};
    for (int nFile = 0; nFile < 60; ++nFile) {
        std::string bytes = "\n";  // no byte-order mark by chance
        for (int i = 0; i < 400; ++i)
            bytes += alphabet[pick(random)];
        for (const char* query : queries)
            ASSERT_EQ(Shown(bytes, query), ReferenceResults(bytes, query)) << "file " << nFile << " query " << query;
    }
}

TEST(WholeRun, AgreesWithTheLiteralRulesOnTheCc0Collection)
{
    std::string bytes;
    try {
        bytes = ReadBytes(NORVANE_SOURCE_DIR "/../shared/journals/cc0-collection.txt");
    } catch (const std::runtime_error&) {
        GTEST_SKIP() << "no CC0 collection beside the project";
    }
    for (const char* query : {"chem", "j phys", "ur", "soc journal", "Acta"})
        EXPECT_EQ(Shown(bytes, query), ReferenceResults(bytes, query)) << query;
}
