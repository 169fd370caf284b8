// The decisions of the window half, made by portable pieces that the window
// only carries out: when typing runs the search, what Ctrl+Backspace does to
// the query, when each part of a long result goes into its box, and what a
// failure tells the user.

#include "framework/portable/FailureReport.h"
#include "framework/portable/FileException.h"
#include "framework/portable/FillSchedule.h"
#include "framework/portable/WordBreak.h"
#include "ui/TypingPause.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <iterator>
#include <new>
#include <stdexcept>
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

TEST(WordStartBefore, DeletesTheWordOrPunctuationBeforeTheCaret)
{
    const struct {
        const char* text;
        std::size_t nCaret;
        std::size_t nStart;
        unsigned nCodePage = 1252;
    } cases[] = {
        {"j am chem", 9, 5},
        {"j am ", 5, 2},  // the spaces go with the word before them
        {"J. Am. Chem.", 12, 11},
        {"J. Am. Chem", 11, 7},
        {"j am chem", 4, 2},  // from a caret inside the text
        {"j am chem", 5, 2},  // the word after the caret stays
        {"chem", 0, 0},
        {"   ", 3, 0},
        {"", 0, 0},
        {"a-b", 3, 2},
        {"vol 10", 6, 4},
        {"vol 9", 5, 4},
        {"x\x80", 2, 0},
        {"Zs\xE9" "chenyi", 9, 0},  // high bytes are letters
        {"x \x83\x5C\x83\x41", 6, 2, 932},  // a trail byte like a backslash is part of its character
        {"x \x83\x5C\x83\x41", 5, 2, 932},  // a caret between lead and trail byte
        {"x \x83\x5C", 4, 2, 932},          // the last character, of two bytes
        {"\x83\x41 b", 4, 3, 932},
        {"x\t\r\ny", 4, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WordStartBefore(c.text, c.nCaret, LeadBytesOfCodePage(c.nCodePage)), c.nStart)
            << "'" << c.text << "' at " << c.nCaret;
    }
}

namespace {

// Lines of 100 bytes, CR LF ends.
std::string LinesOf100Bytes(std::size_t nBytes)
{
    const std::string line = std::string(98, 'x') + "\r\n";
    std::string text;
    while (text.size() < nBytes)
        text += line;
    return text;
}

}  // namespace

// The first screenful stands alone for a moment (the clock may wrap
// meanwhile); then parts of whole lines, each sized to what the box took
// in a turn for the one before, whatever part of its time is fixed, at
// most doubling. The text shown is let go of as the rest comes, all of it
// once whole.
TEST(FillSchedule, ShowsTheFirstScreenfulAloneThenPartsSizedToATurn)
{
    const std::string text = LinesOf100Bytes(12000000);
    const std::uint32_t nStart = 0xFFFFFFC0;
    const struct {
        const char* name;
        double dFixedMs;
        double dMsPerMegabyte;
        std::size_t nSettledBytes;  // where the parts settle
    } boxes[] = {
        {"Wine's box", 60, 250, 800000},
        {"a fast box, doubling the parts", 5, 20, 16 * CFillSchedule::kStepBytes},
        {"a box slower than a turn", 400, 250, CFillSchedule::kLeastStepBytes},
    };
    for (const auto& box : boxes) {
        CFillSchedule schedule;
        CFillPart part = schedule.Start(CString(text.data(), text.size()), nStart);
        EXPECT_EQ(part.nTo, 2100u) << "2 KB, to the end of its line";
        schedule.PartShown(part, 5);  // the first part's time sizes nothing
        EXPECT_EQ(schedule.MsUntilDue(nStart + 40), 60u);
        EXPECT_TRUE(schedule.Next(nStart + 99).IsEmpty()) << "the first part did not stand alone";
        std::size_t nShown = part.nTo;
        std::size_t nLast = 0;  // the last part before the rest of the text
        std::size_t nParts = 0;
        for (part = schedule.Next(nStart + 100); !part.IsEmpty(); part = schedule.Next(nStart + 100), ++nParts) {
            const std::size_t nBytes = part.nTo - part.nFrom;
            EXPECT_EQ(part.nFrom, nShown);
            EXPECT_EQ(text.compare(part.nFrom, nBytes, schedule.PartText(part), nBytes), 0) << box.name;
            nShown = part.nTo;
            EXPECT_TRUE(nParts > 0 || nBytes == 262200) << "the first later part: " << nBytes;
            if (part.nTo < text.size()) {
                EXPECT_LE(nBytes, 2 * std::max<std::size_t>(nLast, CFillSchedule::kStepBytes) + 100)
                    << box.name << ": grew more than twice, part " << nParts;
                nLast = nBytes;
            }
            EXPECT_LE(schedule.HeldBytes(), 2 * (text.size() - part.nFrom)) << box.name << ": holds what is shown";
            schedule.PartShown(part, static_cast<std::uint32_t>(box.dFixedMs + box.dMsPerMegabyte * nBytes / 1e6));
        }
        EXPECT_NEAR(static_cast<double>(nLast), static_cast<double>(box.nSettledBytes), 0.1 * box.nSettledBytes + 100)
            << box.name << " after " << nParts << " parts";
        EXPECT_FALSE(schedule.IsFilling());
        EXPECT_EQ(schedule.HeldBytes(), 0u) << box.name << ": the text is whole and still held";
        EXPECT_EQ(schedule.MsUntilDue(nStart + 100), CFillSchedule::kNothingDue);
    }

    // A short text is whole at once, as is one without line ends; a stopped
    // fill gives nothing more.
    CFillSchedule schedule;
    EXPECT_EQ(schedule.Start("short\r\ntext", 5).nTo, 11u);
    EXPECT_FALSE(schedule.IsFilling());
    EXPECT_EQ(schedule.Start(CString(std::string(5000, 'x').c_str()), 5).nTo, 5000u);
    schedule.Start(CString(text.data(), text.size()), 5);
    schedule.Stop();
    EXPECT_EQ(schedule.ShownBytes(), 0u) << "a stopped fill still says the box holds text";
    EXPECT_TRUE(schedule.Next(500).IsEmpty());
    EXPECT_EQ(schedule.MsUntilDue(500), CFillSchedule::kNothingDue);
}

// A file error names the file and why; the other kinds of failure each
// have words of their own. Whether the program goes on decides what the
// user may lose.
TEST(FailureReport, SaysWhatFailedAndWhetherTheProgramGoesOn)
{
    const struct {
        std::function<void()> fail;
        bool bCarryOn;
    } cases[] = {
        {[] { throw CFileException("C:\\Dir\\Norvane.txt", "Access is denied"); }, true},
        {[] { throw std::bad_alloc(); }, true},
        {[] { throw std::length_error("the results box is at its limit"); }, true},
        {[] { throw std::logic_error("a fault"); }, false},
        {[] { throw 42; }, false},
    };
    std::vector<std::string> texts;
    for (const auto& c : cases) {
        try {
            c.fail();
        } catch (...) {
            const CFailureReport report = DescribeCurrentException();
            texts.emplace_back(report.strText.GetString());
            EXPECT_EQ(report.bCarryOn, c.bCarryOn) << texts.back();
        }
    }
    ASSERT_EQ(texts.size(), std::size(cases));
    EXPECT_NE(texts[0].find("C:\\Dir\\Norvane.txt"), std::string::npos) << texts[0];
    EXPECT_NE(texts[0].find("Access is denied"), std::string::npos) << texts[0];
    EXPECT_NE(texts[3].find("a fault"), std::string::npos) << "a fault's own words are lost: " << texts[3];
    for (std::size_t i = 0; i + 1 < texts.size(); ++i)
        EXPECT_NE(texts[i], texts[i + 1]) << "two kinds of failure in the same words";
}
