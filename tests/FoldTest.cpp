#include "search/Fold.h"
#include "tests/Reference.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string FoldedLine(const std::string& line, const CLeadBytes& leadBytes = CLeadBytes())
{
    std::string out(line.size(), '\0');
    out.resize(FoldLine(line.data(), line.size(), out.data(), leadBytes));
    return out;
}

std::string FoldedQuery(const std::string& query, const CLeadBytes& leadBytes = CLeadBytes())
{
    const CString folded = FoldQuery(CString(query.data(), query.size()), leadBytes);
    return std::string(folded.GetString(), folded.GetLength());
}

// Text rich in what folding acts on: the letters of "and" in both cases,
// the removed punctuation, tabs, line breaks, NUL and high bytes.
std::string HostileText(std::mt19937& random, std::size_t nLength)
{
    static const std::string alphabet = std::string("aAnNdD .,:&\t\r\n-xyz0\x83\xC4\xFF", 23) + std::string(1, '\0');
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text;
    for (std::size_t i = 0; i < nLength; ++i)
        text += alphabet[pick(random)];
    return text;
}

}  // namespace

TEST(Fold, FollowsTheRulesInOrder)
{
    const struct {
        const char* text;
        const char* query;  // folded by the query rule
        const char* line;   // folded by the line rule
    } cases[] = {
        {"J. Am. Chem. Soc.", "jamchemsoc", "jamchemsoc"},
        {"J. Am. Chem. Soc.\tJournal of the American Chemical Society", "jamchemsocjournaloftheamericanchemicalsociety",
         "jamchemsoc\tjournaloftheamericanchemicalsociety"},
        {"Comput. Geosci.\tComputers & Geosciences", "computgeoscicomputersgeosciences",
         "computgeosci\tcomputersgeosciences"},
        {"aandnd", "and", "and"},  // the removal does not rescan its result
        {"Land", "l", "l"},
        {"Standards", "stards", "stards"},
        {"a.nd", "and", "and"},  // "and" goes before the full stop does
        {"a\tnd", "and", "a\tnd"},
        {" AND ", "", ""},
        {"Z. Kristallogr. - New", "zkristallogr-new", "zkristallogr-new"},
        {"A&B:C,D E", "abcde", "abcde"},
        {"x\r\ny", "x\r\ny", "x\r\ny"},
        {"(1);/'", "(1);/'", "(1);/'"},
        {"\xC4\xD6Q", "\xC4\xD6q", "\xC4\xD6q"},  // only A-Z change case
        {"xa\nnd\nAND\n\nb an\nd", "xa\nnd\n\n\nban\nd", "xa\nnd\n\n\nban\nd"},  // "and" never spans a line end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FoldedQuery(c.text), c.query) << "query rule: " << c.text;
        EXPECT_EQ(FoldedLine(c.text), c.line) << "line rule: " << c.text;
    }
}

TEST(Fold, TakesADoubleByteCharacterWhole)
{
    // Shift JIS: 0x83 leads, and its trail byte may look like a letter.
    const CLeadBytes shiftJis = LeadBytesOfCodePage(932);
    const struct {
        const char* text;
        const char* folded;  // by either rule
    } cases[] = {
        {"\x83" "AX", "\x83" "Ax"},      // the trail byte keeps its case
        {"\x83" "and", "\x83" "and"},    // and starts no "and"
        {"X\x83", "x\x83"},              // a lead byte at the end is a character alone
        {"\x83\x83.A", "\x83\x83" "a"},  // a lead byte after one is its trail byte
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FoldedQuery(c.text, shiftJis), c.folded) << c.text;
        EXPECT_EQ(FoldedLine(c.text, shiftJis), c.folded) << c.text;
    }
}

TEST(Fold, AgreesWithTheLiteralRulesOnHostileText)
{
    std::mt19937 random(20261206);
    const CLeadBytes shiftJis = LeadBytesOfCodePage(932);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = HostileText(random, i % 100);
        for (const CLeadBytes& leadBytes : {CLeadBytes(), shiftJis}) {
            ASSERT_EQ(FoldedLine(text, leadBytes), ReferenceFoldLine(text, leadBytes));
            ASSERT_EQ(FoldedQuery(text, leadBytes), ReferenceFoldQuery(text, leadBytes));
        }
    }
}
