// The real program, driven by posted keys and read back: under Wine here,
// on Windows from the test zip. Every program runs in a folder named with
// letters outside the ANSI code page.

#include "framework/portable/HeldFileRetry.h"
#include "framework/portable/Wtf8.h"
#include "tests/wine/Listener.h"
#include "tests/wine/ProgramWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using P = CProgramWindow;

// A letter that the ANSI code page lacks, in UTF-8, and the letter of A-Z
// its best fit there makes, as the program must not: ł as l in 1252, ä as
// a in 932, ā as a in 1250; none where the code page has them all.
std::pair<std::string, char> LetterWithABestFit()
{
    for (const char* pszLetter : {"\xC5\x82", "\xC3\xA4", "\xC4\x81"}) {
        const std::wstring letter = WideOf(pszLetter);
        char chFit = 0;
        BOOL bLacking = FALSE;
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, letter.c_str(), 1, nullptr, 0, nullptr, &bLacking);
        ::WideCharToMultiByte(CP_ACP, 0, letter.c_str(), 1, &chFit, 1, nullptr, nullptr);
        if (bLacking && std::isalpha(static_cast<unsigned char>(chFit)))
            return {pszLetter, chFit};
    }
    return {"", 0};
}

// A child window's place in its dialog's client area.
RECT PlaceIn(HWND hDialog, HWND hChild)
{
    RECT rect;
    ::GetWindowRect(hChild, &rect);
    ::MapWindowPoints(nullptr, hDialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

// Return (also in the results box) gives the query box the focus and
// selects the query. Ctrl+Backspace, through the system's own input (where
// a plain box would insert 0x7F), deletes the word before the caret in the
// box's own units, whatever letters stand before it, and is a change of the
// query like any other; the query goes to the search in the ANSI code page,
// as the data file has it. The test run runs this in Japanese too (code
// page 932), where letters take two bytes.
TEST(Keys, ReturnSelectsTheQueryAndCtrlBackspaceDeletesAWord)
{
    const std::wstring list = WideOf("\xE6\x97\xA5\xE6\x9C\xAC\xE5\x8C\x96\xE5\xAD\xA6\xE4\xBC\x9A\xE8\xAA\x8C\t"
                                     "Nippon Kagaku Kaishi\r\n"
                                     "\xE5\x8C\x96\xE5\xAD\xA6 ABC\tKagaku to ABC\r\n"
                                     "J. Am. Chem. Soc.\tJournal of the American Chemical Society\r\n");
    CProgramWindow program(BytesOf(list, CP_ACP));
    program.Type("j am chem");
    EXPECT_TRUE(program.ShowsResultsFor("j am chem"));
    program.Press({VK_TAB});
    program.Press({VK_RETURN});
    EXPECT_TRUE(WaitFor([&] { return program.Focus() == program.Query() && program.Selection(program.Query()) == "0-9"; }))
        << "selection " << program.Selection(program.Query());
    const struct {
        const char* typed;
        const char* left;
    } cases[] = {
        {"j am chem", "j am "},
        {"\xE5\x8C\x96\xE5\xAD\xA6 abc", "\xE5\x8C\x96\xE5\xAD\xA6 "},  // 化学 abc
        {"\xE5\x8C\x96\xE5\xAD\xA6\xE3\x81\xA8\xE5\xB7\xA5\xE6\xA5\xAD", ""},  // 化学と工業
    };
    for (const auto& c : cases) {
        program.EraseQuery();
        program.Type(c.typed);
        EXPECT_TRUE(program.ShowsResultsFor(c.typed));
        program.Press({VK_CONTROL, VK_BACK});
        EXPECT_TRUE(WaitFor([&] { return P::TextOf(program.Query()) == WideOf(c.left); }))
            << c.typed << " left " << BytesOf(P::TextOf(program.Query()), CP_UTF8);
        EXPECT_TRUE(!*c.left || program.ShowsResultsFor(c.left));
    }
    // Without Ctrl, one character, whether or not Ctrl's toggle state is set.
    program.Type("abc");
    for (const wchar_t* pszLeft : {L"ab", L"a"}) {
        program.Press({VK_BACK});
        EXPECT_TRUE(WaitFor([&] { return P::TextOf(program.Query()) == pszLeft; }))
            << BytesOf(P::TextOf(program.Query()), CP_UTF8);
        program.Press({VK_CONTROL});
    }
}

// A short hold of the data file, as a virus scanner makes on a file that
// just changed (with full sharing, which still keeps out an opener that
// shares nothing), is waited out, the caption saying so meanwhile to the
// eye and to a screen reader that asks: released while the program waits
// for it. A try whose release came after the wait
// (this thread starved for a second) proves nothing and is made again. The
// program reads the file sharing nothing, so a reader that stays, even one
// that shares all, is reported, once, with the path, the window disabled
// while the report stands.
TEST(FileHold, AShortOneIsWaitedOutALongOneReportedOnce)
{
    CProgramWindow program;
    const std::string strPath = program.Dir() + "Norvane.txt";
    const auto hold = [&] {
        return ::CreateFileW(PathOf(strPath).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
    };
    bool bWaitedOut = false;
    for (int nTry = 0; nTry < 3 && !bWaitedOut; ++nTry) {
        program.EraseQuery();
        const HANDLE hHeld = hold();
        ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
        program.Type("jac");  // the search, a pause later, meets the hold
        bWaitedOut = program.ReleaseWhileWaiting(hHeld);
        if (const HWND hReport = bWaitedOut ? nullptr : program.WaitForWindow("Norvane"))
            ::PostMessageW(hReport, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(program.Dialog()) != FALSE; }));
    }
    ASSERT_TRUE(bWaitedOut) << "the program never showed that it waits for the file, or told no one who asked";
    EXPECT_TRUE(program.ShowsResultsFor("jac"));
    EXPECT_EQ(P::TextOf(program.Dialog()), L"Norvane Search") << "the caption still tells of a wait";
    EXPECT_EQ(program.CountOwnWindows("Norvane"), 0u) << "a short hold was reported";

    const HANDLE hHeld = hold();
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    program.Type("s");
    const HWND hReport = program.WaitForWindow("Norvane");
    ASSERT_NE(hReport, nullptr);
    EXPECT_NE(P::ReportText(hReport).find(strPath), std::string::npos) << P::ReportText(hReport);
    EXPECT_FALSE(::IsWindowEnabled(program.Dialog())) << "the window takes input under the report";
    // A second report would come a typing pause and a wait for the file
    // after the first: a time by nature, told by its own constants.
    EXPECT_FALSE(WaitFor([&] { return program.CountOwnWindows("Norvane") > 1; },
                         CTypingPause::kPauseTicks + kHeldRetrySteps * kHeldRetryStepMs + 1000))
        << "reported more than once";
    ::PostMessageW(hReport, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowEnabled(program.Dialog()) != FALSE; }));
    ::CloseHandle(hHeld);
}

// The data file is written before the window shows, and again when a
// search finds it gone, in whatever folder the program runs: in one past
// the 260 characters that Windows' file calls take only in the long form,
// and in one whose name holds a lone surrogate (NTFS allows one; UTF-16
// cannot pair it).
struct CFolderCase {
    std::vector<std::string> subfolders;
    const char* pszWhyNotUnderWine;
};

class DataFileIn : public ::testing::TestWithParam<CFolderCase> {};

TEST_P(DataFileIn, IsWrittenAtStartAndWhenASearchFindsItGone)
{
    if (IsWine() && GetParam().pszWhyNotUnderWine)
        GTEST_SKIP() << GetParam().pszWhyNotUnderWine;
    const CProgramWindow program(GetParam().subfolders);
    const std::string strPath = program.Dir() + "Norvane.txt";
    EXPECT_EQ(ReadBytes(strPath), WithCrLf(DefaultJournalFile()));
    EXPECT_EQ(program.Focus(), program.Query());
    EXPECT_EQ(P::TextOf(program.Query()) + P::TextOf(program.Results()), L"");
    ASSERT_TRUE(std::filesystem::remove(PathOf(strPath)));
    program.Type("jacs");
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(PathOf(strPath)); }));
    P::SendWithTimeout(program.Dialog(), WM_NULL);  // answered once the run that writes it is over
    EXPECT_EQ(program.ResultsText(), "") << "the run that wrote the list searched too";
    EXPECT_EQ(ReadBytes(strPath), WithCrLf(DefaultJournalFile()));
    program.Type("x");
    EXPECT_TRUE(program.ShowsResultsFor("jacsx"));
    EXPECT_EQ(program.CountOwnWindows("Norvane"), 0u) << "a message box came up";
}

const std::u16string kLoneSurrogate = u"lone " + std::u16string(1, char16_t(0xD800)) + u" surrogate";

INSTANTIATE_TEST_SUITE_P(
    Folders, DataFileIn,
    ::testing::Values(
        CFolderCase{{}, nullptr},
        CFolderCase{std::vector<std::string>(20, "\xC5\x81ukasz \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"),
                    "Wine starts no program from a path past 260 characters"},
        CFolderCase{{Wtf8FromUtf16(kLoneSurrogate.data(), kLoneSurrogate.size()).GetString()},
                    "Wine makes no folder whose name holds a lone surrogate"}));

// The loop's guard, in a program on the framework that meets a fault where
// it is told: a fault it cannot place ends the program after one report
// (with the fault's own words where it has them), with a failing exit
// status; after a file error or a lack of memory, reported in words of
// their own (the file's path and why), the window goes on, with the focus
// where it belongs.
TEST(LastGuard, EndsTheProgramAfterAFaultAndGoesOnAfterAFileError)
{
    const std::wstring exe = WideOf(std::string(ProgramDirectory().GetString()) + "norvane_fault_program.exe");
    const struct {
        const char* pszWhere;
        const char* pszSays;  // among other words
        bool bGoesOn;
    } cases[] = {
        {"app", "cannot recover", false},    {"init", "a fault the test made", false},
        {"message", "cannot recover", false}, {"filter", "cannot recover", false},
        {"idle", "cannot recover", false},   {"message int", "cannot recover", false},
        {"init file", "C:\\fault.txt\r\n\r\nA fault the test made.", true}, {"message memory", "not enough memory", true},
    };
    for (const auto& c : cases) {
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(StartProcess(exe, L"fault " + WideOf(c.pszWhere), nullptr, process)) << c.pszWhere;
        const auto dialog = [&] { return WaitForWindowOf(process.dwProcessId, "Norvane fault", 5000); };
        if (std::strncmp(c.pszWhere, "app", 3) != 0 && std::strncmp(c.pszWhere, "init", 4) != 0)
            ::PostMessageW(dialog(), WM_APP, 0, 0);
        const HWND hReport = WaitForWindowOf(process.dwProcessId, "Norvane", 5000);
        EXPECT_NE(P::ReportText(hReport).find(c.pszSays), std::string::npos) << c.pszWhere << ": " << P::ReportText(hReport);
        ::PostMessageW(hReport, WM_COMMAND, IDOK, 0);
        if (c.bGoesOn) {
            const HWND hDialog = dialog();
            EXPECT_TRUE(WaitFor([&] { return FocusOf(process.dwThreadId) == ::GetDlgItem(hDialog, 100); }))
                << c.pszWhere << ": the focus is not in the dialog's box";
            ::PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0);
        }
        DWORD dwStatus = STILL_ACTIVE;
        EXPECT_TRUE(::WaitForSingleObject(process.hProcess, 5000) == WAIT_OBJECT_0 &&
                    ::GetExitCodeProcess(process.hProcess, &dwStatus) && dwStatus == (c.bGoesOn ? 0u : 1u))
            << c.pszWhere << " ended with status " << dwStatus;
        ::TerminateProcess(process.hProcess, 1);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}

// What a screen reader user hears of each search, from another process as
// a reader hears it: one announcement once the typing pauses, with the
// number of journals the box shows or the message it shows; nothing for
// the keys within the pause, nor for a query too short to search. Where the
// system has UI Automation notifications (not under Wine), a client of them
// hears it as one. A change of the query empties the results box at once.
// What is searched is what the box shows: a character that the ANSI code
// page lacks finds nothing in a list of it, as no line can hold it, where
// the letter its best fit would make finds lines.
TEST(Search, IsHeardOnceAndFindsWhatTheBoxShows)
{
    CProgramWindow program;
    CAnnouncementListener listener(program);
    program.Type("phys rev");
    EXPECT_TRUE(program.ShowsResultsFor("phys rev"));
    EXPECT_EQ(listener.Heard(1), std::vector<std::string>{"21 journals"});
    EXPECT_TRUE(!listener.HearsNotifications() || listener.Notifications() == 1u) << "not heard as a notification";
    program.EraseQuery();
    EXPECT_EQ(program.ResultsText(), "") << "a change of the query left the last results";
    const auto [lacking, chFit] = LetterWithABestFit();
    if (lacking.empty())
        GTEST_SKIP() << "code page " << ::GetACP() << " has every letter the test has a best fit of";
    ASSERT_NE(CoreResultsFor(WithCrLf(DefaultJournalFile()), std::string(1, chFit) + "e"), "No Results");
    program.Type(lacking, [&] { program.PostSearchTimer(); });
    program.Type("e");
    EXPECT_TRUE(WaitFor([&] { return program.ResultsText() == "No Results"; })) << program.ResultsText();
    EXPECT_EQ(listener.Heard(1), std::vector<std::string>{"No Results"});
}

// What Wine cannot show: on Windows a screen reader hears the names the
// dialog gives the boxes it shows no labels for.
TEST(ScreenReader, HearsTheBoxesNamesOnWindows)
{
    if (IsWine())
        GTEST_SKIP() << "Wine gives no names of dynamic annotation (IAccPropServices); on Windows this test runs";
    const CProgramWindow program;
    EXPECT_EQ(AccessibleNameOf(program.Query()), "Journal abbreviation or title");
    EXPECT_EQ(AccessibleNameOf(program.Results()), "Matching journals");
}

// Laid out from its dialog units at whatever DPI the system has (under Wine
// the test run sets 96 and 144; on Windows, the display's): the dialog of
// one size in inches at any, centred on the work area, its boxes inside it,
// one above the other and aligned; they alone show, in the tab order; it has
// its icon for the title bar and Alt+Tab. The About box opens centred over
// it, and a search that falls due once the About box is open runs behind it
// all the same: the About box's loop hands on what is the window's.
TEST(Layout, BoxesLieInsideTheCentredDialogAtAnyDpi)
{
    ::SetProcessDPIAware();  // pixels as the program has them, unscaled
    const HDC hScreen = ::GetDC(nullptr);
    const int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    std::printf("boxes laid out at %d DPI\n", nDpi);
    const auto centredOver = [](HWND hWnd, const RECT& area) {
        RECT rect;
        ::GetWindowRect(hWnd, &rect);
        return std::abs(rect.left + rect.right - area.left - area.right) <= 2 &&
               std::abs(rect.top + rect.bottom - area.top - area.bottom) <= 2;
    };
    CProgramWindow program;
    RECT area;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_TRUE(centredOver(program.Dialog(), area));
    RECT dialog;
    ::GetClientRect(program.Dialog(), &dialog);
    const double dInchesAcross = static_cast<double>(dialog.right) / nDpi;
    EXPECT_TRUE(dInchesAcross > 4.5 && dInchesAcross < 6.5) << dInchesAcross << " inches across at " << nDpi << " DPI";
    const RECT query = PlaceIn(program.Dialog(), program.Query());
    const RECT results = PlaceIn(program.Dialog(), program.Results());
    EXPECT_TRUE(query.left > 0 && query.top > 0 && query.bottom < results.top && results.bottom < dialog.bottom);
    EXPECT_TRUE(query.left == results.left && query.right == results.right && results.right < dialog.right);
    std::vector<HWND> visible;
    for (HWND hChild = ::GetWindow(program.Dialog(), GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (::IsWindowVisible(hChild))
            visible.push_back(hChild);
    EXPECT_EQ(visible, (std::vector<HWND>{program.Query(), program.Results()})) << "other controls show";
    EXPECT_EQ(::GetNextDlgTabItem(program.Dialog(), program.Query(), FALSE), program.Results());
    EXPECT_EQ(::GetNextDlgTabItem(program.Dialog(), program.Results(), FALSE), program.Query());
    if (!IsWine()) {  // Wine: answers another process's WM_GETICON with none, though it draws the icon
        EXPECT_NE(P::SendWithTimeout(program.Dialog(), WM_GETICON, ICON_BIG), 0u)
            << "no icon for the title bar or Alt+Tab";
    }

    program.Type("jacs", [&] { ::PostMessageW(program.Dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0); });
    const HWND hAbout = program.WaitForWindow("About Norvane");
    ASSERT_NE(hAbout, nullptr);
    EXPECT_TRUE(program.ShowsResultsFor("jacs"));
    EXPECT_TRUE(::IsWindowVisible(hAbout)) << "the About box went before the search ran";
    ::GetWindowRect(program.Dialog(), &area);
    EXPECT_TRUE(centredOver(hAbout, area));
    ::PostMessageW(hAbout, WM_COMMAND, IDOK, 0);
}

namespace {

// A list whose every line holds "ab": 10 MB of results for "ab", shown in
// parts; in UTF-8, with characters of two bytes and of three in every
// line, so that a part that cut one would show. They take one UTF-16 unit
// each, as the ASCII they stand for: the places below are in those.
struct CLargeList {
    std::string bytes;
    std::size_t nResultLines;
};

const CLargeList& LargeList()
{
    static const CLargeList list = [] {
        CLargeList made{};
        for (int i = 0; i < 61000; ++i)
            made.bytes += "Ab. " + std::to_string(i) + "\t\xC3\x84" "bstracts of J\xC3\xB6urnals\xEF\xBC\x8C Volume " +
                          std::to_string(i) + "\r\n";
        made.nResultLines = LineCount(CoreResultsFor(made.bytes, "ab"));
        return made;
    }();
    return list;
}

// A query of the list's lines in small letters, where they have capitals.
const char kSmallLetters[] = "\xC3\xA4" "bstracts of j\xC3\xB6urnals\xEF\xBC\x8C volume 6099";

// Types "ab" and runs its search at once; what post() posts, the program
// takes right after the first part of the results, before any other part:
// mid-fill on any machine.
void SearchThen(const CProgramWindow& program, const std::function<void()>& post)
{
    program.Type("ab", [&] {
        program.PostSearchTimer();
        post();
    });
}

// Waits while the results box grows, for as long as it takes on a loaded
// machine, until it holds nLines; false once no part has come for 20 s.
bool WaitForWholeResults(const CProgramWindow& program, std::size_t nLines)
{
    for (std::size_t nShown = program.ResultsLineCount(); nShown != nLines; nShown = program.ResultsLineCount()) {
        if (!WaitFor([&] { return program.ResultsLineCount() != nShown; }, 20000))
            return false;
    }
    return true;
}

}  // namespace

// The fill keeps the place the user made mid-fill (bench/window-latency
// times its answers): a selection made backwards, its caret at its start
// so that Shift+Right moves the start, within a line in view or across
// lines with the caret's line out of view, or forwards within a line, its
// caret at its end; and a look to the right. Nothing is left to undo. The
// third line of the results is hyphens, characters 40 to 155. A screen
// reader hears of the result once. The next result, whatever place the
// user made, shows from its start: typed in small letters, it shows its
// capitals as the list has them.
TEST(LargeResults, StayWhereTheUserMadeAPlaceMidFill)
{
    const struct {
        DWORD nAnchor, nCaret;
        int nLinesDown;
        const char* pszAfterShiftRight;
    } places[] = {{480, 120, 20, "121-480"}, {130, 120, 0, "121-130"}, {120, 130, 0, "120-131"}};
    for (const auto& c : places) {
        CProgramWindow program(LargeList().bytes);
        CAnnouncementListener listener(program);
        program.Press({VK_TAB});
        ASSERT_TRUE(WaitFor([&] { return program.Focus() == program.Results(); }));
        SearchThen(program, [&] {
            ::PostMessageW(program.Results(), EM_SETSEL, c.nAnchor, c.nCaret);
            ::PostMessageW(program.Results(), EM_LINESCROLL, 6, c.nLinesDown);
        });
        const auto leftOfText = [&] {  // where the box draws its first character: < 0 once scrolled right
            return static_cast<short>(LOWORD(P::SendWithTimeout(program.Results(), EM_POSFROMCHAR, 0)));
        };
        const std::string selection =
            std::to_string(std::min(c.nAnchor, c.nCaret)) + "-" + std::to_string(std::max(c.nAnchor, c.nCaret));
        ASSERT_TRUE(WaitFor([&] { return program.Selection(program.Results()) == selection && leftOfText() < 0; }))
            << "the place was not made: " << program.Selection(program.Results()) << ", " << leftOfText();
        const DWORD_PTR nTopLine = P::SendWithTimeout(program.Results(), EM_GETFIRSTVISIBLELINE);
        const int nLeft = leftOfText();
        ASSERT_EQ(P::SendWithTimeout(program.Results(), EM_LINEFROMCHAR, c.nCaret) >= nTopLine, c.nLinesDown == 0)
            << "the caret's line in view or not; top line " << nTopLine;
        ASSERT_TRUE(WaitForWholeResults(program, LargeList().nResultLines)) << program.ResultsLineCount() << " lines";
        EXPECT_TRUE(program.ResultsText() == CoreResultsFor(LargeList().bytes, "ab")) << "other text than the core's";
        EXPECT_EQ(program.Selection(program.Results()), selection);
        EXPECT_EQ(P::SendWithTimeout(program.Results(), EM_GETFIRSTVISIBLELINE), nTopLine);
        EXPECT_EQ(leftOfText(), nLeft);
        EXPECT_EQ(P::SendWithTimeout(program.Results(), EM_CANUNDO), 0u) << "the fill left something to undo";
        program.Press({VK_SHIFT, VK_RIGHT});
        EXPECT_TRUE(WaitFor([&] { return program.Selection(program.Results()) == c.pszAfterShiftRight; }))
            << "Shift+Right gave " << program.Selection(program.Results());
        EXPECT_EQ(listener.Heard(1), std::vector<std::string>{"61000 journals"});
        program.EraseQuery();
        program.Type(kSmallLetters);
        EXPECT_TRUE(program.ShowsResultsFor(kSmallLetters) &&
                    program.ResultsText().find("\xC3\x84" "bstracts") != std::string::npos);
        EXPECT_EQ(program.Selection(program.Results()), "0-0");
        EXPECT_TRUE(P::SendWithTimeout(program.Results(), EM_GETFIRSTVISIBLELINE) == 0 && leftOfText() >= 0)
            << "the view stayed where the user left the last result";
    }
}

// A box that runs out of memory mid-fill says so to the dialog, as the real
// box does (EN_ERRSPACE, posted here): the fill stops, nothing cut short
// stays, one report in words of its own; the next result shows whole.
TEST(LargeResults, ABoxOutOfMemoryEndsTheFillWithOneReport)
{
    CProgramWindow program(LargeList().bytes);
    SearchThen(program, [&] {
        ::PostMessageW(program.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_RESULTS, EN_ERRSPACE),
                       reinterpret_cast<LPARAM>(program.Results()));
    });
    const HWND hReport = program.WaitForWindow("Norvane");
    ASSERT_NE(hReport, nullptr) << program.ResultsLineCount() << " of " << LargeList().nResultLines;
    EXPECT_NE(P::ReportText(hReport).find("more than the results box can hold"), std::string::npos)
        << P::ReportText(hReport);
    EXPECT_EQ(program.ResultsText(), "") << "a result cut short is shown";
    EXPECT_EQ(program.ResultsLineCount(), 1u) << "the emptied box kept the lines it had";
    EXPECT_EQ(program.CountOwnWindows("Norvane"), 1u) << "reported more than once";
    ::PostMessageW(hReport, WM_COMMAND, IDOK, 0);
    program.Type(" 60999");
    EXPECT_TRUE(program.ShowsResultsFor("ab 60999"));
    EXPECT_EQ(program.CountOwnWindows("Norvane"), 0u);
}
