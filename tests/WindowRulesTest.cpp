// The decisions of the window half, made by portable pieces that the window
// only carries out: when typing runs the search, what Return and
// Ctrl+Backspace do to the query, when each part of a long result goes into
// its box, and what a failure tells the user.

#include "framework/portable/FailureReport.h"
#include "framework/portable/FileException.h"
#include "framework/portable/FillSchedule.h"
#include "framework/portable/WordBreak.h"
#include "ui/ReturnToggle.h"
#include "ui/TypingPause.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
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

TEST(ReturnToggle, SelectsThenErasesWhateverWasTypedBetween)
{
    CReturnToggle toggle;
    for (ReturnAction expected : {ReturnAction::SelectQuery, ReturnAction::EraseQuery, ReturnAction::SelectQuery})
        EXPECT_EQ(toggle.OnReturn(), expected);
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
        {"chem", 0, 0},
        {"   ", 3, 0},
        {"", 0, 0},
        {"a-b", 3, 2},
        {"vol 10", 6, 4},
        {"x\x80", 2, 0},
        {"Zs\xE9" "chenyi", 9, 0},  // high bytes are letters
        {"x \x83\x5C\x83\x41", 6, 2, 932},  // a trail byte like a backslash is part of its character
        {"x \x83\x5C\x83\x41", 5, 2, 932},  // a caret between lead and trail byte
        {"\x83\x41 b", 4, 3, 932},
        {"x\t\r\ny", 4, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WordStartBefore(c.text, c.nCaret, LeadBytesOfCodePage(c.nCodePage)), c.nStart)
            << "'" << c.text << "' at " << c.nCaret;
    }
}

TEST(FillSchedule, ShowsTheFirstScreenfulAloneThenWholeLinesATurn)
{
    // Lines of 100 bytes, CR LF ends: 2,100 bytes is the first part, 262,200
    // each further one.
    const std::string line = std::string(98, 'x') + "\r\n";
    std::string text;
    while (text.size() < 600000)
        text += line;
    const std::uint32_t nStart = 0xFFFFFFC0;  // the clock wraps during the fill
    CFillSchedule schedule;
    std::vector<std::size_t> ends = {schedule.Start(CString(text.data(), text.size()), nStart).nTo};
    EXPECT_EQ(schedule.MsUntilDue(nStart + 40), 60u);
    EXPECT_TRUE(schedule.Next(nStart + 99).IsEmpty()) << "the first part did not stand alone";
    for (CFillPart part = schedule.Next(nStart + 100); !part.IsEmpty(); part = schedule.Next(nStart + 100)) {
        EXPECT_EQ(part.nFrom, ends.back());
        ends.push_back(part.nTo);
    }
    EXPECT_EQ(ends, (std::vector<std::size_t>{2100, 264300, 526500, text.size()}));
    EXPECT_FALSE(schedule.IsFilling());
    EXPECT_EQ(schedule.MsUntilDue(nStart + 100), CFillSchedule::kNothingDue);

    // A short text is whole at once; a stopped fill gives nothing more.
    EXPECT_EQ(schedule.Start("short\r\ntext", 5).nTo, 11u);
    EXPECT_FALSE(schedule.IsFilling());
    schedule.Start(CString(text.data(), text.size()), 5);
    schedule.Stop();
    EXPECT_TRUE(schedule.Next(500).IsEmpty());
    EXPECT_EQ(schedule.MsUntilDue(500), CFillSchedule::kNothingDue);
    // A text without line ends goes in whole.
    EXPECT_EQ(schedule.Start(CString(std::string(5000, 'x').c_str()), 5).nTo, 5000u);
}

TEST(FailureReport, SaysWhatFailedAndWhetherTheProgramGoesOn)
{
    const struct {
        std::function<void()> fail;
        const char* text;  // found in the report
        bool bCarryOn;
    } cases[] = {
        {[] { throw CFileException("C:\\Dir\\Norvane.txt", "Access is denied"); },
         "the file\r\nC:\\Dir\\Norvane.txt\r\n\r\nAccess is denied.", true},
        {[] { throw std::bad_alloc(); }, "not enough memory", true},
        {[] { throw std::logic_error("a fault"); }, "cannot recover from, and closes.\r\n\r\na fault", false},
        {[] { throw 42; }, "cannot recover from, and closes.", false},
    };
    for (const auto& c : cases) {
        try {
            c.fail();
        } catch (...) {
            const CFailureReport report = DescribeCurrentException();
            EXPECT_NE(std::string(report.strText.GetString()).find(c.text), std::string::npos) << report.strText.GetString();
            EXPECT_EQ(report.bCarryOn, c.bCarryOn) << c.text;
        }
    }
}
