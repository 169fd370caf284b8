// The decisions of the window half, made by portable pieces that the window
// only carries out: when typing runs the search, what Ctrl+Backspace does to
// the query, which end of a selection the caret is at, when each part of a
// long result goes into its box, and what a screen reader is told of a
// search; what a failure tells the user, in the window test of the loop's
// guard.

#include "framework/portable/CaretEnd.h"
#include "framework/portable/FillSchedule.h"
#include "framework/portable/WordBreak.h"
#include "ui/Announcement.h"
#include "ui/TypingPause.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

TEST(TypingPause, ArmsTheSearchOnlyAfterAPause)
{
    constexpr std::uint32_t kTimer = 0xDEAD;  // the timer fires instead of a change
    const struct {
        const char* name;
        std::vector<std::uint32_t> events;  // clock readings of changes, or kTimer
        std::vector<bool> answers;          // start the timer / run the search
    } cases[] = {
        {"typing, then the timer", {1000, 1050, 1100, kTimer, kTimer}, {true, true, true, true, false}},
        {"the first 200 ticks of the process", {150, kTimer, 600}, {false, false, true}},
        {"exactly 200 ticks arm nothing", {1000, kTimer, 1200, 1401, kTimer}, {true, true, false, true, true}},
        {"no search again without a pause", {1000, kTimer, 1100, 1250, kTimer}, {true, true, false, false, false}},
        {"the clock wraps", {0xFFFFFF00, kTimer, 0x10, kTimer, 0x20}, {true, true, true, true, false}},
    };
    for (const auto& c : cases) {
        CTypingPause typing;
        for (std::size_t i = 0; i < c.events.size(); ++i) {
            const std::uint32_t nClock = c.events[i];
            const bool bAnswer = nClock == kTimer ? typing.OnTimer() : typing.OnChange([&] { return nClock; });
            EXPECT_EQ(bAnswer, c.answers[i]) << c.name << ", event " << i;
        }
    }
}

// Positions are UTF-16 units, as the box counts them.
TEST(WordStartBefore, DeletesTheWordOrPunctuationBeforeTheCaret)
{
    const struct {
        std::u16string text;
        std::size_t nCaret, nStart;
    } cases[] = {
        {u"j am chem", 9, 5},
        {u"j am ", 5, 2},  // the spaces go with the word before them
        {u"J. Am. Chem.", 12, 11},
        {u"j am chem", 4, 2},  // from a caret inside the text
        {u"   ", 3, 0},
        {u"", 0, 0},
        {u"a-z", 3, 2},
        {u"\u0080\x7F", 2, 1},  // DEL is no letter, U+0080 is one
        {u"Vol09", 5, 0},  // digits are part of a word
        {u"x\t\r\ny", 4, 0},
        {u"\u5316\u5B66 abc", 6, 3},  // Japanese words of two characters, then ASCII
        {u"\u65E5\u672C \u5316\u5B66\u4F1A\u8A8C", 7, 3},
        {u"\u5316\u5B66\u3000abc\u3000", 7, 3},  // the ideographic space is a space
        {u"a \U0001F600", 4, 2},  // a surrogate pair goes whole
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WordStartBefore(c.text, c.nCaret), c.nStart) << "row " << (&c - cases);
        // Nothing before the text counts, whatever stands there.
        for (const char16_t* pszBefore : {u" ", u"x", u"-"}) {
            const std::u16string behind = pszBefore + c.text;
            EXPECT_EQ(WordStartBefore(std::u16string_view(behind).substr(1), c.nCaret), c.nStart)
                << "row " << (&c - cases) << " behind " << char(*pszBefore);
        }
    }
}

// The caret's end of a selection the box does not hand over in order: its
// caret index where it answers one, then the caret's line, then where the
// caret is drawn.
TEST(CaretEndOfSelection, TakesTheFirstClueThatTells)
{
    const struct {
        CSelectionClues clues;  // start, end, caret index, caret's, start's and end's line starts, drawn at start
        std::size_t nCaret;
    } cases[] = {
        {{5, 5, 0, 0, 0, 0, true}, 5},           // no selection
        {{10, 20, 10, 0, 0, 0, false}, 10},      // the caret index tells
        {{10, 20, 20, 8, 8, 8, true}, 20},       // and outweighs the pixels
        {{10, 50, 0, 8, 8, 40, false}, 10},      // no caret index: the caret on the start's line
        {{10, 50, 0, 40, 8, 40, true}, 50},      // on the end's line, whatever is drawn
        {{10, 50, 7, 40, 8, 40, true}, 50},      // a caret index at neither end tells nothing
        {{10, 20, 0, 8, 8, 8, true}, 10},        // one line: drawn at the start
        {{10, 20, 0, 8, 8, 8, false}, 20},       // one line, nothing tells
        {{0, 20, 0, 0, 0, 0, true}, 0},          // an answer of 0 tells nothing, the pixels do
    };
    for (const auto& c : cases)
        EXPECT_EQ(CaretEndOfSelection(c.clues), c.nCaret) << "row " << (&c - cases);
}

// What the user sees of a long text: the first screenful at once and alone
// for a moment (the clock may wrap meanwhile); then the rest in parts of
// whole lines, each as much as the box shows in about a turn, so that the
// window answers within two turns all along. The box holds what was given;
// the schedule holds at most twice what is not yet shown, nothing once the
// text is whole or stopped.
TEST(FillSchedule, ShowsTheFirstScreenfulAloneThenPartsOfAboutATurn)
{
    std::string text;
    while (text.size() < 12000000)
        text += std::string(98, 'x') + "\r\n";
    const std::uint32_t nStart = 0xFFFFFFC0;
    const struct {
        double dFixedMs;  // what a model box takes for any part, and for each megabyte
        double dMsPerMegabyte;
    } boxes[] = {{60, 250}, {5, 20}, {100, 2000}};  // Wine's, a fast one, one slow for its bytes
    CFillSchedule schedule;  // one for every text, as a window keeps it
    EXPECT_TRUE(schedule.Next(nStart).IsEmpty()) << "a part before any text";
    for (const auto& box : boxes) {
        CFillPart part = schedule.Start(CString(text.data(), text.size()), nStart);
        EXPECT_LE(part.nTo, CFillSchedule::kFirstBytes + 100) << "the first part is more than a screenful";
        EXPECT_TRUE(schedule.Next(nStart).IsEmpty()) << "the first part did not stand alone";
        const std::uint32_t nDue = nStart + schedule.MsUntilDue(nStart);
        EXPECT_NE(nDue, nStart);
        std::size_t nShown = 0;
        for (std::size_t nParts = 0; !part.IsEmpty(); part = schedule.Next(nDue), ++nParts) {
            const std::size_t nBytes = part.nTo - part.nFrom;
            ASSERT_EQ(part.nFrom, nShown) << box.dFixedMs;
            EXPECT_TRUE(part.nTo == text.size() || text[part.nTo - 1] == '\n') << "not whole lines";
            EXPECT_EQ(schedule.ShownBytes(), part.nTo) << "not what the box holds";
            EXPECT_LE(schedule.HeldBytes(), 2 * (text.size() - part.nFrom)) << "holds what is shown";
            const double dMs = box.dFixedMs + box.dMsPerMegabyte * nBytes / 1e6;
            EXPECT_TRUE(nParts < 2 || part.nTo == text.size() || dMs <= 2 * CFillSchedule::kTurnMs)
                << box.dFixedMs << " ms a part: " << nBytes << " bytes";
            schedule.PartShown(part, static_cast<std::uint32_t>(dMs));
            nShown = part.nTo;
        }
        EXPECT_EQ(nShown, text.size());
        EXPECT_FALSE(schedule.IsFilling());
        EXPECT_EQ(schedule.HeldBytes(), 0u) << "the text is whole and still held";
        EXPECT_EQ(schedule.MsUntilDue(nDue), CFillSchedule::kNothingDue);
    }
    // A text without line ends is whole at once; a stopped fill holds nothing.
    EXPECT_EQ(schedule.Start(CString(std::string(5000, 'x').c_str()), 5).nTo, 5000u);
    schedule.Start(CString(text.data(), text.size()), 5);
    schedule.Stop();
    EXPECT_EQ(schedule.ShownBytes() + schedule.HeldBytes(), 0u) << "a stopped fill holds text";
}

// A screen reader hears how many journals the box shows, or the message it
// shows; a journal that reads like a message is a journal.
TEST(AnnouncementOf, TellsTheJournalsShownOrTheMessage)
{
    const struct {
        const char16_t* shown;
        std::size_t nJournals;
        const char16_t* heard;
    } cases[] = {
        {u"JACS\r\nJournal of the American Chemical Society", 1, u"1 journal"},
        {u"many", 61000, u"61000 journals"},
        {u"No Results", 0, u"No Results"},
        {u"No Results", 1, u"1 journal"},
        {u"", 0, u""},  // the box left empty: nothing
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnnouncementOf(c.shown, c.nJournals, u"1 journal", u"# journals"), c.heard) << "row " << (&c - cases);
}
