#include "search/Fold.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace {

std::string Folded(const std::string& line)
{
    std::string out(line.size(), '\0');
    out.resize(FoldLine(line.data(), line.size(), out.data()));
    return out;
}

std::string FoldedQuery(const std::string& query)
{
    const CString folded = FoldQuery(CString(query.data(), query.size()));
    return std::string(folded.GetString(), folded.GetLength());
}

// Text rich in what folding acts on: the letters of "and" in both cases,
// the removed punctuation, tabs, line breaks, NUL and high bytes.
std::string HostileText(std::mt19937& random, std::size_t nLength)
{
    static const std::string alphabet = std::string("aAnNdD .,:&\t\r-xyz0\x80\xC4\xFF", 22) + std::string(1, '\0');
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text;
    for (std::size_t i = 0; i < nLength; ++i)
        text += alphabet[pick(random)];
    return text;
}

// Checks both folds of every line against the literal rules; the count.
int ExpectLiteralFoldsOfEachLine(std::istream& lines)
{
    std::string line;
    int nLines = 0;
    while (std::getline(lines, line)) {
        EXPECT_EQ(Folded(line), ReferenceFoldLine(line)) << line;
        EXPECT_EQ(FoldedQuery(line), ReferenceFoldQuery(line)) << line;
        ++nLines;
    }
    return nLines;
}

}  // namespace

TEST(FoldQuery, FollowsTheRulesInOrder)
{
    const struct {
        const char* query;
        const char* folded;
    } cases[] = {
        {"J. Am. Chem. Soc.", "jamchemsoc"},
        {"American Chemical", "americanchemical"},
        {"Anal. Chem.", "analchem"},
        {"aandnd", "and"},  // the removal does not rescan its result
        {"Land", "l"},
        {"Standards", "stards"},
        {"a.nd", "and"},  // "and" goes before the full stop does
        {"AND", ""},
        {" and ", ""},
        {"Z. Kristallogr. - New", "zkristallogr-new"},
        {"A&B:C,D\tE", "abcde"},
        {"x\r\ny", "x\r\ny"},
        {"(1);/'", "(1);/'"},
        {"\xC4\xD6Q", "\xC4\xD6q"},  // only A-Z change case
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoldedQuery(c.query), c.folded) << "query: " << c.query;
}

TEST(FoldLine, KeepsTheTabBetweenAbbreviationAndTitle)
{
    EXPECT_EQ(Folded("J. Am. Chem. Soc.\tJournal of the American Chemical Society"),
              "jamchemsoc\tjournaloftheamericanchemicalsociety");
    EXPECT_EQ(Folded("Comput. Geosci.\tComputers & Geosciences"), "computgeosci\tcomputersgeosciences");
    EXPECT_EQ(Folded("a\tnd"), "a\tnd");
}

TEST(FoldLine, FoldsABlockOfLinesAsEachLineAlone)
{
    // "and" never spans a line end, so a block folds line by line.
    const std::string block = "xa\nnd\nAND\n\nb an\nd\n";
    EXPECT_EQ(Folded(block), "xa\nnd\n\n\nban\nd\n");
}

TEST(FoldEquivalence, MatchesTheLiteralRulesOnTheDefaultList)
{
    std::istringstream lines(DefaultJournalFile());
    EXPECT_EQ(ExpectLiteralFoldsOfEachLine(lines), 4837);
}

TEST(FoldEquivalence, MatchesTheLiteralRulesOnHostileText)
{
    std::mt19937 random(20261206);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = HostileText(random, i % 100);
        ASSERT_EQ(Folded(text), ReferenceFoldLine(text));
        ASSERT_EQ(FoldedQuery(text), ReferenceFoldQuery(text));
    }
}

TEST(FoldEquivalence, MatchesTheLiteralRulesOnTheCc0Collection)
{
    // The collection of source lists sits beside the project where it is
    // checked out with its shared folder; elsewhere there is nothing to read.
    std::ifstream in(NORVANE_SOURCE_DIR "/../shared/journals/cc0-collection.txt", std::ios::binary);
    if (!in)
        GTEST_SKIP() << "no CC0 collection beside the project";
    EXPECT_GT(ExpectLiteralFoldsOfEachLine(in), 50000);
}
