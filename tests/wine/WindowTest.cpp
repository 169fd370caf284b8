// The real program under Wine, driven by posted keys and read back.

#include "store/DefaultJournals.h"
#include "tests/wine/ProgramWindow.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char kJacs[] = "JACS\r\nJournal of the American Chemical Society";

// Waits for the results box to show what the search core shows for the
// query.
::testing::AssertionResult ShowsResultsFor(const CProgramWindow& program, const std::string& query)
{
    const std::string expected = ExpectedResults(query);
    if (!WaitFor([&] { return program.ResultsText() == expected; }, 5000))
        return ::testing::AssertionFailure() << "other results than the core's for " << query;
    return ::testing::AssertionSuccess();
}

// The message box the program shows for a file error within the time given:
// its text, once it is closed again; empty if none came.
std::string CloseFileErrorReport(const CProgramWindow& program, DWORD nWaitMs)
{
    HWND hBox = nullptr;
    if (!WaitFor([&] { return (hBox = program.FindOwnWindow("Norvane")) != nullptr; }, nWaitMs))
        return "";
    const std::string text = CProgramWindow::TextOf(::GetDlgItem(hBox, 0xFFFF));
    ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    WaitFor([&] { return program.FindOwnWindow("Norvane") == nullptr; }, 5000);
    return text;
}

}  // namespace

TEST(StartUp, WritesTheDataFileBeforeTheWindowShows)
{
    CProgramWindow program;
    const CString list = DefaultJournalText();
    const long long nCrLfSize = list.GetLength() + std::count(list.GetString(), list.GetString() + list.GetLength(), '\n');
    EXPECT_EQ(FileSize(program.Dir() + "Norvane.txt"), nCrLfSize);
    EXPECT_EQ(program.Focus(), program.Query());
    EXPECT_EQ(program.QueryText(), "");
    EXPECT_EQ(program.ResultsText(), "");
}

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

TEST(Typing, APauseBetweenKeysRunsTwoSearches)
{
    CProgramWindow program;
    program.Type("ab");
    ASSERT_TRUE(ShowsResultsFor(program, "ab"));
    ::Sleep(400);
    program.Type("c");
    EXPECT_TRUE(WaitFor([&] { return program.ResultsText().empty(); }, 2000));
    EXPECT_TRUE(ShowsResultsFor(program, "abc"));
}

TEST(ReturnKey, SelectsTheQueryThenErasesIt)
{
    CProgramWindow program;
    program.Type("jacs");
    ASSERT_GE(program.MsUntilResults(5000), 0);
    for (HWND hTarget : {program.Results(), program.Query()}) {
        program.PressKey(hTarget, VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return program.Focus() == program.Query(); }, 2000));
        DWORD dwStart = 1;
        DWORD dwEnd = 0;
        ASSERT_TRUE(WaitFor([&] {
            ::SendMessageA(program.Query(), EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                           reinterpret_cast<LPARAM>(&dwEnd));
            return dwStart == 0 && dwEnd == 4;
        }, 2000)) << "selection " << dwStart << "-" << dwEnd;
        EXPECT_EQ(program.QueryText(), "jacs");

        program.PressKey(hTarget, VK_RETURN);
        EXPECT_TRUE(WaitFor([&] { return program.QueryText().empty(); }, 2000));
        EXPECT_EQ(program.ResultsText(), "");
        program.Type("jacs");
        ASSERT_GE(program.MsUntilResults(5000), 0);
    }
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
    const std::string report = CloseFileErrorReport(program, 5000);
    EXPECT_NE(report.find(strPath), std::string::npos) << report;
    EXPECT_EQ(CloseFileErrorReport(program, 600), "") << "reported more than once";  // a new report would be at once
    ::CloseHandle(hHeld);
    program.Type("\b");  // "jac"
    EXPECT_TRUE(ShowsResultsFor(program, "jac"));
}

TEST(DeletedDataFile, IsRewrittenAndTheBoxLeftEmpty)
{
    CProgramWindow program;
    const std::string strPath = program.Dir() + "Norvane.txt";
    const long long nSize = FileSize(strPath);
    ASSERT_TRUE(::DeleteFileA(strPath.c_str()));
    program.Type("jacs");
    ASSERT_TRUE(WaitFor([&] { return FileSize(strPath) == nSize; }, 5000));
    EXPECT_FALSE(WaitFor([&] { return !program.ResultsText().empty(); }, 500));
    program.Type("x");
    ASSERT_GE(program.MsUntilResults(5000), 0);
    EXPECT_EQ(program.ResultsText(), "No Results");
}

TEST(SystemCommands, MinimiseRestoreAndCloseStillWork)
{
    CProgramWindow program;
    ::PostMessageA(program.Dialog(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(WaitFor([&] { return ::IsIconic(program.Dialog()) != FALSE; }, 5000));
    ::PostMessageA(program.Dialog(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsIconic(program.Dialog()); }, 5000));
    program.Type("jacs");
    EXPECT_TRUE(WaitFor([&] { return program.ResultsText() == kJacs; }, 5000));
    ::PostMessageA(program.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program.WaitForExit(5000));
}

TEST(AboutBox, ClosesWithOkEscapeAndItsCloseBoxAndTheMainWindowGoesOn)
{
    CProgramWindow program;
    const std::pair<UINT, WPARAM> closers[] = {{WM_COMMAND, IDOK}, {WM_KEYDOWN, VK_ESCAPE}, {WM_SYSCOMMAND, SC_CLOSE}};
    for (const auto& [nMessage, wParam] : closers) {
        ::PostMessageA(program.Dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        HWND hAbout = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (hAbout = program.FindOwnWindow("About Norvane")) != nullptr; }, 5000));
        EXPECT_EQ(::GetWindow(hAbout, GW_OWNER), program.Dialog());
        EXPECT_FALSE(::IsWindowEnabled(program.Dialog())) << "the About box is not modal";
        if (nMessage == WM_KEYDOWN)
            program.PressKey(::GetDlgItem(hAbout, IDOK), wParam);
        else
            ::PostMessageA(hAbout, nMessage, wParam, 0);
        EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hAbout) && ::IsWindowEnabled(program.Dialog()); }, 5000));
    }
    program.Type("jacs");
    EXPECT_TRUE(WaitFor([&] { return program.ResultsText() == kJacs; }, 5000));
}

// A list whose every line holds "ab": 10 MB of results for "ab". It stays
// for the test's lifetime.
class LargeResults : public ::testing::Test {
protected:
    void SetUp() override
    {
        char szTemp[MAX_PATH];
        ::GetTempPathA(sizeof szTemp, szTemp);
        m_strList = std::string(szTemp) + "norvane-large-results.txt";
        std::string list;
        for (int i = 0; i < 61000; ++i)
            list += "Ab. " + std::to_string(i) + "\tAbstracts of Journals, Volume " + std::to_string(i) + "\r\n";
        const HANDLE hFile = ::CreateFileA(m_strList.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD nWritten = 0;
        ::WriteFile(hFile, list.data(), static_cast<DWORD>(list.size()), &nWritten, nullptr);
        ::CloseHandle(hFile);
        const std::string results = ExpectedResults("ab", m_strList);
        m_nFullLines = static_cast<std::size_t>(std::count(results.begin(), results.end(), '\n')) + 1;
    }
    void TearDown() override { ::DeleteFileA(m_strList.c_str()); }


    // Types "ab" and waits until the box holds a part of its results.
    ::testing::AssertionResult TypeAndWaitForTheFill(const CProgramWindow& program) const
    {
        program.Type("ab");
        const bool bMidFill = WaitFor([&] {
                const std::size_t nLines = program.ResultsLineCount();
            return nLines > 1 && nLines < m_nFullLines;
        }, 10000);
        return bMidFill ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "never caught mid-fill";
    }

    std::string m_strList;
    std::size_t m_nFullLines = 0;
};

TEST_F(LargeResults, FillTheBoxWhileTheWindowAnswersAndTheAboutBoxComesAndGoes)
{
    CProgramWindow program({m_strList});
    ASSERT_TRUE(TypeAndWaitForTheFill(program));
    ::PostMessageA(program.Dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    HWND hAbout = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hAbout = program.FindOwnWindow("About Norvane")) != nullptr; }, 5000));
    ::PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
    // The window must answer a plain message all along. (Its lines are
    // counted, not its bytes: Wine takes a second to measure 10 MB.)
    DWORD dwLongestMs = 0;
    std::size_t nLines = 0;
    for (int nPoll = 0; nLines < m_nFullLines && nPoll < 1200; ++nPoll) {
        const DWORD dwAsk = ::GetTickCount();
        DWORD_PTR nResult = 0;
        ::SendMessageTimeoutA(program.Dialog(), WM_NULL, 0, 0, SMTO_NORMAL, 120000, &nResult);
        dwLongestMs = std::max<DWORD>(dwLongestMs, ::GetTickCount() - dwAsk);
        nLines = program.ResultsLineCount();
        ::Sleep(100);
    }
    EXPECT_LT(dwLongestMs, 1000u) << "the window did not answer for " << dwLongestMs << " ms";
    EXPECT_TRUE(program.ResultsText() == ExpectedResults("ab", m_strList)) << "other text than the core's";
    DWORD dwStart = 1;
    DWORD dwEnd = 1;
    ::SendMessageA(program.Results(), EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    EXPECT_EQ(dwStart + dwEnd, 0u) << "the caret is not at the start";
    EXPECT_EQ(::SendMessageA(program.Results(), EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "the view is not at the top";
}

TEST_F(LargeResults, ANewQueryMidFillShowsJustItsResults)
{
    CProgramWindow program({m_strList});
    ASSERT_TRUE(TypeAndWaitForTheFill(program));
    program.Type("9999");
    const std::string expected = ExpectedResults("ab9999", m_strList);
    EXPECT_TRUE(WaitFor([&] { return program.ResultsText() == expected; }, 20000));
    ::Sleep(1000);
    EXPECT_EQ(program.ResultsText(), expected) << "the old fill went on";
}

TEST_F(LargeResults, EscapeMidFillEndsTheProgram)
{
    CProgramWindow program({m_strList});
    ASSERT_TRUE(TypeAndWaitForTheFill(program));
    program.PressKey(program.Query(), VK_ESCAPE);
    EXPECT_TRUE(program.WaitForExit(1000)) << "the rest of the fill came first";
}
