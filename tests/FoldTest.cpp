#include "search/Fold.h"

#include <gtest/gtest.h>


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

}  // namespace

TEST(Fold, FollowsTheRulesInOrder)
{
    const struct {
        const char* text;
        const char* query;  // folded by the query rule
        const char* line;   // folded by the line rule
    } cases[] = {
        {"J. Am. Chem. Soc.\tJournal of the American Chemical Society", "jamchemsocjournaloftheamericanchemicalsociety",
         "jamchemsoc\tjournaloftheamericanchemicalsociety"},
        {"aandnd", "and", "and"},  // the removal does not rescan its result
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

// The walk that confirms a candidate stays within its line, and within the
// run of lines it is given even where the bytes beyond would match on: the
// last line of a file has no line end of its own.
TEST(MatchesAt, WalksNoFurtherThanTheLine)
{
    const std::string bytes = "cab\r\nabc";
    const char* const pch = bytes.data();
    const char* const pchEnd = pch + bytes.size() - 1;  // the run ends before the last "c"
    EXPECT_TRUE(MatchesAt(pch, pchEnd, pch + 5, "ab", 0));
    EXPECT_FALSE(MatchesAt(pch, pchEnd, pch + 5, "abc", 0)) << "walked past the end of the run";
    EXPECT_FALSE(MatchesAt(pch, pchEnd, pch + 1, "abc", 0)) << "walked past the end of the line";
    EXPECT_TRUE(MatchesAt(pch, pchEnd, pch + 1, "cab", 1));
    EXPECT_FALSE(MatchesAt(pch + 1, pchEnd, pch + 1, "cab", 1)) << "walked back past the start of the run";
}
