// The real program under Wine, driven by posted keys and read back.

#include "tests/wine/ProgramWindow.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Waits for the results box to show what the search core shows for the
// query against the built-in list.
::testing::AssertionResult ShowsResultsFor(const CProgramWindow& program, const std::string& query)
{
    const std::string expected = Shown(DefaultDataFile(), query);
    if (!WaitFor([&] { return program.ResultsText() == expected; }, 5000))
        return ::testing::AssertionFailure() << "other results than the core's for " << query;
    return ::testing::AssertionSuccess();
}

// The window of that caption, once the program shows it within the time
// given, or nullptr.
HWND WaitForWindow(const CProgramWindow& program, const char* pszCaption, DWORD nWaitMs = 5000)
{
    HWND hWnd = nullptr;
    WaitFor([&] { return (hWnd = program.FindOwnWindow(pszCaption)) != nullptr; }, nWaitMs);
    return hWnd;
}

}  // namespace

TEST(Typing, SearchesOnceTypingPauses)
{
    // Every prefix of two or more letters has results, so a search during
    // the typing would show.
    CProgramWindow program;
    for (char ch : std::string("chemi")) {
        program.Type(std::string(1, ch));
        EXPECT_FALSE(WaitFor([&] { return !program.ResultsText().empty(); }, 50)) << "a search ran at " << ch;
    }
    EXPECT_GE(program.MsUntilResults(5000), 100) << "the search ran before the pause";
    EXPECT_TRUE(ShowsResultsFor(program, "chemi"));
}

TEST(ReturnKey, SelectsTheQueryThenErasesItAndNeverClosesTheDialog)
{
    CProgramWindow program;
    // In the results box; the keys typed into the query box do the same.
    program.Type("jacs");
    ASSERT_GE(program.MsUntilResults(5000), 0);
    program.PressKey(program.Results(), VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return program.Focus() == program.Query(); }, 2000));
    DWORD dwStart = 1;
    DWORD dwEnd = 0;
    ASSERT_TRUE(WaitFor([&] {
        ::SendMessageA(program.Query(), EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
        return dwStart == 0 && dwEnd == 4;
    }, 2000)) << "selection " << dwStart << "-" << dwEnd;
    EXPECT_EQ(program.QueryText(), "jacs");
    program.PressKey(program.Results(), VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return program.QueryText().empty(); }, 2000));
    EXPECT_EQ(program.ResultsText(), "");
    EXPECT_FALSE(program.WaitForExit(300)) << "Return closed the dialog";
    program.PressKey(program.Query(), VK_ESCAPE);
    EXPECT_TRUE(program.WaitForExit(5000)) << "Escape did not close the dialog";
}

TEST(FileError, IsReportedOnceWithItsPathAndTheDialogCarriesOn)
{
    CProgramWindow program;
    const std::string strPath = program.Dir() + "Norvane.txt";
    const HANDLE hHeld = ::CreateFileA(strPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    program.Type("jacs");
    const HWND hReport = WaitForWindow(program, "Norvane");
    const std::string report = CProgramWindow::TextOf(::GetDlgItem(hReport, 0xFFFF));
    EXPECT_NE(report.find(strPath), std::string::npos) << report;
    ::PostMessageA(hReport, WM_COMMAND, IDOK, 0);
    ::Sleep(600);  // a second report would be there by now
    EXPECT_EQ(program.FindOwnWindow("Norvane"), nullptr) << "reported more than once";
    ::CloseHandle(hHeld);
    program.Type("\b");  // "jac"
    EXPECT_TRUE(ShowsResultsFor(program, "jac"));
}

TEST(DataFile, IsWrittenBeforeTheWindowShowsAndWhenASearchFindsItGone)
{
    CProgramWindow program;
    const std::string strPath = program.Dir() + "Norvane.txt";
    EXPECT_EQ(ReadBytes(strPath), DefaultDataFile());
    EXPECT_EQ(program.Focus(), program.Query());
    EXPECT_EQ(program.QueryText() + program.ResultsText(), "");
    ASSERT_TRUE(std::filesystem::remove(strPath));
    program.Type("jacs");
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(strPath); }, 5000));
    EXPECT_FALSE(WaitFor([&] { return !program.ResultsText().empty(); }, 500));
    EXPECT_EQ(ReadBytes(strPath), DefaultDataFile());
    program.Type("x");
    EXPECT_TRUE(ShowsResultsFor(program, "jacsx"));
}

TEST(SystemCommands, MinimiseRestoreTheModalAboutBoxAndCloseWork)
{
    CProgramWindow program;
    ::PostMessageA(program.Dialog(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitFor([&] { return ::IsIconic(program.Dialog()) != FALSE; }, 5000));
    ::PostMessageA(program.Dialog(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsIconic(program.Dialog()); }, 5000));
    // The About box closes with OK, Escape and its close box.
    const std::pair<UINT, WPARAM> closers[] = {{WM_COMMAND, IDOK}, {WM_KEYDOWN, VK_ESCAPE}, {WM_SYSCOMMAND, SC_CLOSE}};
    for (const auto& [nMessage, wParam] : closers) {
        ::PostMessageA(program.Dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        const HWND hAbout = WaitForWindow(program, "About Norvane");
        ASSERT_NE(hAbout, nullptr);
        EXPECT_EQ(::GetWindow(hAbout, GW_OWNER), program.Dialog());
        EXPECT_FALSE(::IsWindowEnabled(program.Dialog())) << "the About box is not modal";
        if (nMessage == WM_KEYDOWN)
            program.PressKey(::GetDlgItem(hAbout, IDOK), wParam);
        else
            ::PostMessageA(hAbout, nMessage, wParam, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hAbout) && ::IsWindowEnabled(program.Dialog()); }, 5000));
    }
    program.Type("jacs");
    EXPECT_TRUE(ShowsResultsFor(program, "jacs"));
    ::PostMessageA(program.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program.WaitForExit(5000));
}

// A list whose every line holds "ab": 10 MB of results for "ab", shown in
// steps.
class LargeResults : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        for (int i = 0; i < 61000; ++i)
            s_list += "Ab. " + std::to_string(i) + "\tAbstracts of Journals, Volume " + std::to_string(i) + "\r\n";
        s_nFullLines = LineCount(Shown(s_list, "ab"));
    }

    // Types "ab" and waits until the box holds a part of its results.
    static ::testing::AssertionResult TypeAndWaitForTheFill(const CProgramWindow& program)
    {
        program.Type("ab");
        const bool bMidFill = WaitFor([&] {
            const std::size_t nLines = program.ResultsLineCount();
            return nLines > 1 && nLines < s_nFullLines;
        }, 10000);
        return bMidFill ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "never caught mid-fill";
    }

    static std::string s_list;
    static std::size_t s_nFullLines;
};

std::string LargeResults::s_list;
std::size_t LargeResults::s_nFullLines = 0;

TEST_F(LargeResults, FillTheBoxWhileTheWindowAnswersAndTheAboutBoxComesAndGoes)
{
    CProgramWindow program(s_list);
    ASSERT_TRUE(TypeAndWaitForTheFill(program));
    ::PostMessageA(program.Dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    ::PostMessageA(WaitForWindow(program, "About Norvane"), WM_COMMAND, IDOK, 0);
    // The window must answer a plain message all along.
    DWORD dwLongestMs = 0;
    for (int nPoll = 0; program.ResultsLineCount() < s_nFullLines && nPoll < 1200; ++nPoll) {
        const DWORD dwAsk = ::GetTickCount();
        DWORD_PTR nResult = 0;
        ::SendMessageTimeoutA(program.Dialog(), WM_NULL, 0, 0, SMTO_NORMAL, 120000, &nResult);
        dwLongestMs = std::max<DWORD>(dwLongestMs, ::GetTickCount() - dwAsk);
        ::Sleep(100);
    }
    EXPECT_LT(dwLongestMs, 1000u) << "the window did not answer for " << dwLongestMs << " ms";
    EXPECT_TRUE(program.ResultsText() == Shown(s_list, "ab")) << "other text than the core's";
    DWORD dwStart = 1;
    DWORD dwEnd = 1;
    ::SendMessageA(program.Results(), EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    EXPECT_EQ(dwStart + dwEnd, 0u) << "the caret is not at the start";
    EXPECT_EQ(::SendMessageA(program.Results(), EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "the view is not at the top";
}

TEST_F(LargeResults, ANewQueryMidFillShowsJustItsResults)
{
    CProgramWindow program(s_list);
    ASSERT_TRUE(TypeAndWaitForTheFill(program));
    program.Type("9999");
    const std::string expected = Shown(s_list, "ab9999");
    EXPECT_TRUE(WaitFor([&] { return program.ResultsText() == expected; }, 20000));
    ::Sleep(1000);
    EXPECT_EQ(program.ResultsText(), expected) << "the old fill went on";
}

TEST_F(LargeResults, EscapeMidFillEndsTheProgram)
{
    CProgramWindow program(s_list);
    ASSERT_TRUE(TypeAndWaitForTheFill(program));
    program.PressKey(program.Query(), VK_ESCAPE);
    EXPECT_TRUE(program.WaitForExit(1000)) << "the rest of the fill came first";
}
