// The real program, driven by posted keys and read back: under Wine here,
// on Windows from the test zip. Every program runs in a folder named with
// letters outside the ANSI code page.

#include "framework/portable/Wtf8.h"
#include "store/DataFile.h"
#include "tests/wine/ProgramWindow.h"

#include <initguid.h>  // defines the annotation's GUIDs here

#include <objbase.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Waits for the results box to show what the search core shows for the
// query against the built-in list.
::testing::AssertionResult ShowsResultsFor(const CProgramWindow& program, const std::string& query)
{
    const std::string expected = ResultsFor(WithCrLf(DefaultJournalFile()), query);
    if (!WaitFor([&] { return program.ResultsText() == expected; }, 5000))
        return ::testing::AssertionFailure() << "other results than the core's for " << query;
    return ::testing::AssertionSuccess();
}

// The text of a message box.
std::string ReportText(HWND hReport)
{
    return CProgramWindow::WideTextOf(::GetDlgItem(hReport, 0xFFFF));
}

// Keys pressed together through the system's input to the window in front,
// as a keyboard would: each goes down in turn, then up in reverse.
void PressWithSystemInput(HWND hWindow, std::initializer_list<WORD> keys)
{
    ::SetForegroundWindow(hWindow);
    std::vector<INPUT> input(2 * keys.size());
    std::size_t i = 0;
    for (WORD nKey : keys)
        input[i++].ki.wVk = nKey;
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
        input[i].ki.wVk = *it;
        input[i++].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    for (INPUT& key : input)
        key.type = INPUT_KEYBOARD;
    ::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof input[0]);
}

// COM for the test's thread while the object lives.
class CComUser {
public:
    CComUser() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    CComUser(const CComUser&) = delete;
    CComUser& operator=(const CComUser&) = delete;
    ~CComUser() { ::CoUninitialize(); }
};

// A window's name as Active Accessibility gives it, in UTF-8.
std::string AccessibleNameOf(HWND hWnd)
{
    IAccessible* pAccessible = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&pAccessible))))
        return "(no accessible object)";
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT hr = pAccessible->get_accName(self, &name);
    pAccessible->Release();
    if (FAILED(hr) || name == nullptr)
        return "(no name)";
    const std::string utf8 = std::filesystem::path(std::wstring(name, ::SysStringLen(name))).u8string();
    ::SysFreeString(name);
    return utf8;
}

// "START-END" of a box's selection.
std::string Selection(HWND hBox)
{
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    ::SendMessageA(hBox, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    return std::to_string(dwStart) + "-" + std::to_string(dwEnd);
}

// Where a box draws its first character, left of its edge by as much as it
// is scrolled to the right.
int LeftOfText(HWND hBox)
{
    return static_cast<short>(LOWORD(CProgramWindow::SendWithTimeout(hBox, EM_POSFROMCHAR, 0)));
}


}  // namespace

// Return (also in the results box) gives the query box the focus and
// selects the query; the rest of its rule, and of Ctrl+Backspace's, is the
// portable pieces'. Ctrl+Backspace comes through the system's own input,
// where a plain box would insert 0x7F.
TEST(Keys, ReturnAndCtrlBackspaceWorkOnTheQuery)
{
    CProgramWindow program;
    program.Type("j am chem");
    EXPECT_TRUE(ShowsResultsFor(program, "j am chem"));
    program.PressKey(program.Results(), VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return program.Focus() == program.Query() && Selection(program.Query()) == "0-9"; }, 2000))
        << "selection " << Selection(program.Query());
    CProgramWindow::SendWithTimeout(program.Query(), EM_SETSEL, 9, 9);
    PressWithSystemInput(program.Dialog(), {VK_CONTROL, VK_BACK});
    EXPECT_TRUE(WaitFor([&] { return program.QueryText() == "j am "; }, 2000)) << program.QueryText();
    EXPECT_TRUE(ShowsResultsFor(program, "j am ")) << "the deletion is no change of the query";
}

// A short hold of the data file, as a virus scanner makes on a file that
// just changed (with full sharing, which still keeps out an opener that
// shares nothing), is waited out. A longer one is reported once, with the
// path; an About box opened over the report leaves the window under it
// disabled while the report stands.
TEST(FileHold, AShortOneIsWaitedOutALongOneReportedOnce)
{
    CProgramWindow program;
    const std::string strPath = program.Dir() + "Norvane.txt";
    HANDLE hHeld = ::CreateFileW(PathOf(strPath).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    program.Type("jac");
    ::Sleep(700);
    ::CloseHandle(hHeld);
    EXPECT_TRUE(ShowsResultsFor(program, "jac"));
    EXPECT_EQ(program.FindOwnWindow("Norvane"), nullptr) << "a short hold was reported";

    hHeld = ::CreateFileW(PathOf(strPath).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    program.Type("s");
    const HWND hReport = program.WaitForWindow("Norvane");
    ASSERT_NE(hReport, nullptr);
    EXPECT_NE(ReportText(hReport).find(strPath), std::string::npos) << ReportText(hReport);
    ::PostMessageA(program.Dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    const HWND hAbout = program.WaitForWindow("About Norvane");
    ASSERT_NE(hAbout, nullptr);
    ::PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(hAbout); }, 5000));
    EXPECT_FALSE(::IsWindowEnabled(program.Dialog())) << "the About box enabled the window under the report";

    ::PostMessageA(hReport, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowEnabled(program.Dialog()) != FALSE; }, 5000));
    ::Sleep(600);  // a second report would be there by now
    EXPECT_EQ(program.FindOwnWindow("Norvane"), nullptr) << "reported more than once";
    ::CloseHandle(hHeld);
    program.Type("\b");  // "jac"
    EXPECT_TRUE(ShowsResultsFor(program, "jac"));
}

// The data file is written before the window shows, and again when a
// search finds it gone, in whatever folder the program runs: in one past
// the 260 characters that Windows' file calls take only in the long form,
// and in one whose name holds a lone surrogate (NTFS allows one; UTF-16
// cannot pair it).
struct CFolderCase {
    const char* name;
    std::vector<std::string> subfolders;
    const char* pszWhyNotUnderWine;
};

class DataFileIn : public ::testing::TestWithParam<CFolderCase> {};

TEST_P(DataFileIn, IsWrittenAtStartAndWhenASearchFindsItGone)
{
    std::unique_ptr<CProgramWindow> pProgram;
    try {
        pProgram = std::make_unique<CProgramWindow>(GetParam().subfolders);
    } catch (const std::runtime_error& e) {
        if (IsWine() && GetParam().pszWhyNotUnderWine)
            GTEST_SKIP() << GetParam().pszWhyNotUnderWine << ": " << e.what();
        throw;
    }
    const CProgramWindow& program = *pProgram;
    const std::string strPath = program.Dir() + "Norvane.txt";
    EXPECT_EQ(ReadBytes(strPath), WithCrLf(DefaultJournalFile()));
    EXPECT_EQ(program.Focus(), program.Query());
    EXPECT_EQ(program.QueryText() + program.ResultsText(), "");
    ASSERT_TRUE(std::filesystem::remove(PathOf(strPath)));
    program.Type("jacs");
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(PathOf(strPath)); }, 5000));
    EXPECT_FALSE(WaitFor([&] { return !program.ResultsText().empty(); }, 500));
    EXPECT_EQ(ReadBytes(strPath), WithCrLf(DefaultJournalFile()));
    program.Type("x");
    EXPECT_TRUE(ShowsResultsFor(program, "jacsx"));
    EXPECT_EQ(program.FindOwnWindow("Norvane"), nullptr) << "a message box came up";
}

const std::u16string kLoneSurrogate = u"lone " + std::u16string(1, char16_t(0xD800)) + u" surrogate";

INSTANTIATE_TEST_SUITE_P(
    Folders, DataFileIn,
    ::testing::Values(
        CFolderCase{"Fresh", {}, nullptr},
        CFolderCase{"PastThePathLimit",
                    std::vector<std::string>(20, "\xC5\x81ukasz \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"),
                    "Wine starts no program from a path past 260 characters"},
        CFolderCase{"NamedWithALoneSurrogate", {Wtf8FromUtf16(kLoneSurrogate.data(), kLoneSurrogate.size()).GetString()},
                    "Wine makes no folder whose name holds a lone surrogate"}),
    [](const ::testing::TestParamInfo<CFolderCase>& info) { return std::string(info.param.name); });

// What a screen reader hears for each box: the names the dialog gives the
// boxes it shows no labels for, read as a screen reader reads them, from
// another process.
TEST(ScreenReader, HearsANameForEachBox)
{
    if (IsWine())
        GTEST_SKIP() << "Wine does not give screen readers the names of dynamic annotation (IAccPropServices); "
                        "on Windows this test runs";
    const CComUser com;
    CProgramWindow program;
    EXPECT_EQ(AccessibleNameOf(program.Query()), "Journal abbreviation or title");
    EXPECT_EQ(AccessibleNameOf(program.Results()), "Matching journals");
}

// Laid out from its dialog units at whatever DPI the system has (under Wine
// the test run sets 96 and 144; on Windows, the display's): the dialog in
// proportion to the DPI, each box in its place and size in the dialog as the
// template gives them, to a pixel of rounding, holding a line of its text.
TEST(Layout, BoxesFollowTheirDialogUnitsAndHoldALineOfText)
{
    ::SetProcessDPIAware();  // pixels as the program has them, unscaled
    const HDC hScreen = ::GetDC(nullptr);
    const int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    std::printf("boxes laid out at %d DPI\n", nDpi);
    CProgramWindow program;
    program.Type("jacs");  // two lines, to measure one
    ASSERT_TRUE(ShowsResultsFor(program, "jacs"));
    RECT dialog;
    ::GetClientRect(program.Dialog(), &dialog);
    const double dPixelsPerUnitAcross = dialog.right / 295.0;  // the template's client size
    const double dPixelsPerUnitDown = dialog.bottom / 136.0;
    // A dialog unit is a quarter of the font's average width across and an
    // eighth of its height down: for Tahoma 9 pt about 1.75 pixels at 96
    // DPI, and in proportion at any other.
    EXPECT_NEAR(dPixelsPerUnitAcross * 96 / nDpi, 1.75, 0.3) << "not laid out for " << nDpi << " DPI";
    EXPECT_NEAR(dPixelsPerUnitDown * 96 / nDpi, 1.75, 0.3) << "not laid out for " << nDpi << " DPI";
    const LRESULT nSecondLine = CProgramWindow::SendWithTimeout(program.Results(), EM_LINEINDEX, 1);
    const int nLineHeight = HIWORD(CProgramWindow::SendWithTimeout(program.Results(), EM_POSFROMCHAR, nSecondLine)) -
                            HIWORD(CProgramWindow::SendWithTimeout(program.Results(), EM_POSFROMCHAR, 0));
    const struct {
        HWND hBox;
        RECT units;  // left, top, width, height in the template
    } boxes[] = {{program.Query(), {7, 7, 281, 13}}, {program.Results(), {7, 26, 281, 103}}};
    for (const auto& box : boxes) {
        RECT rect;
        ::GetWindowRect(box.hBox, &rect);
        ::MapWindowPoints(nullptr, program.Dialog(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_NEAR(rect.left, box.units.left * dPixelsPerUnitAcross, 2);
        EXPECT_NEAR(rect.top, box.units.top * dPixelsPerUnitDown, 2);
        EXPECT_NEAR(rect.right - rect.left, box.units.right * dPixelsPerUnitAcross, 2);
        EXPECT_NEAR(rect.bottom - rect.top, box.units.bottom * dPixelsPerUnitDown, 2);
        RECT client;
        ::GetClientRect(box.hBox, &client);
        EXPECT_GT(nLineHeight, 0);
        EXPECT_LE(HIWORD(CProgramWindow::SendWithTimeout(box.hBox, EM_POSFROMCHAR, 0)) + nLineHeight, client.bottom)
            << "a line of text is cut off";
    }
}

// A fault the program cannot recover from, in a turn of its loop, is
// reported once; the program then closes with a status that says it failed.
TEST(LastGuard, ReportsAFaultOnceAndExitsWithAFailure)
{
    const std::wstring exe = ShellPathOf(std::string(ProgramDirectory().GetString()) + "norvane_fault.exe").wstring();
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(StartProcess(exe, exe, nullptr, process));
    HWND hReport = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (hReport = ::FindWindowA(nullptr, "Norvane")) != nullptr; }, 20000));
    EXPECT_NE(ReportText(hReport).find("a fault the test made"), std::string::npos) << ReportText(hReport);
    ::PostMessageA(hReport, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0) << "the program did not close";
    DWORD dwStatus = 0;
    ::GetExitCodeProcess(process.hProcess, &dwStatus);
    EXPECT_NE(dwStatus, 0u);
    EXPECT_NE(dwStatus, STILL_ACTIVE);
    ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

// The About box is modal over the window, and its OK gives the window back;
// closing ends the program.
TEST(SystemCommands, TheModalAboutBoxAndCloseWork)
{
    CProgramWindow program;
    ::PostMessageA(program.Dialog(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    const HWND hAbout = program.WaitForWindow("About Norvane");
    ASSERT_NE(hAbout, nullptr);
    EXPECT_EQ(::GetWindow(hAbout, GW_OWNER), program.Dialog());
    EXPECT_FALSE(::IsWindowEnabled(program.Dialog())) << "the About box is not modal";
    ::PostMessageA(hAbout, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(hAbout) && ::IsWindowEnabled(program.Dialog()); }, 5000));
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
        s_nFullLines = LineCount(ResultsFor(s_list, "ab"));
    }

    // Types "ab" and waits until the box holds a part of its results, more
    // than nLines lines.
    static ::testing::AssertionResult TypeAndWaitForTheFill(const CProgramWindow& program, std::size_t nLines = 1)
    {
        program.Type("ab");
        const bool bMidFill = WaitFor([&] {
            const std::size_t nShown = program.ResultsLineCount();
            return nShown > nLines && nShown < s_nFullLines;
        }, 10000);
        return bMidFill ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "never caught mid-fill";
    }

    static std::string s_list;
    static std::size_t s_nFullLines;
};

std::string LargeResults::s_list;
std::size_t LargeResults::s_nFullLines = 0;

// A large result fills while the window answers all along, and keeps the
// user's place, made in the box's own units mid-fill: a selection made
// backwards (its caret at its start, so that Shift+Right moves the start),
// a look further down and to the right.
TEST_F(LargeResults, KeepTheViewAndSelectionTheUserMadeMidFill)
{
    CProgramWindow program(s_list);
    ASSERT_TRUE(TypeAndWaitForTheFill(program, 1000));  // past the first part
    program.PressKey(program.Query(), VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return program.Focus() == program.Results(); }, 5000));
    CProgramWindow::SendWithTimeout(program.Results(), EM_SETSEL, 480, 120);
    CProgramWindow::SendWithTimeout(program.Results(), EM_LINESCROLL, 6, 28);
    const DWORD_PTR nTopLine = CProgramWindow::SendWithTimeout(program.Results(), EM_GETFIRSTVISIBLELINE);
    const int nLeft = LeftOfText(program.Results());
    ASSERT_GE(nTopLine, 28u);
    ASSERT_LT(nLeft, 0) << "no scroll to the right";
    ASSERT_LT(program.ResultsLineCount(), s_nFullLines) << "the fill ended before the place was made";
    DWORD dwLongestMs = 0;  // each count asked waits for the window's next turn
    ASSERT_TRUE(WaitFor([&] {
        const DWORD dwAsked = ::GetTickCount();
        const bool bWhole = program.ResultsLineCount() == s_nFullLines;
        dwLongestMs = std::max<DWORD>(dwLongestMs, ::GetTickCount() - dwAsked);
        return bWhole;
    }, 60000));
    EXPECT_LT(dwLongestMs, 1000u) << "the window did not answer for " << dwLongestMs << " ms";
    EXPECT_TRUE(program.ResultsText() == ResultsFor(s_list, "ab")) << "other text than the core's";
    EXPECT_EQ(Selection(program.Results()), "120-480");
    EXPECT_EQ(CProgramWindow::SendWithTimeout(program.Results(), EM_GETFIRSTVISIBLELINE), nTopLine);
    EXPECT_EQ(LeftOfText(program.Results()), nLeft);
    PressWithSystemInput(program.Dialog(), {VK_SHIFT, VK_RIGHT});
    EXPECT_TRUE(WaitFor([&] { return Selection(program.Results()) == "121-480"; }, 2000))
        << "Shift+Right gave " << Selection(program.Results());
}

// A box without room for a part says so to the dialog, as the real box does
// when memory runs out or the text reaches its limit: the fill stops,
// nothing cut short stays, one report in words of its own.
TEST_F(LargeResults, ABoxOutOfRoomEndsTheFillWithOneReport)
{
    const struct {
        WORD nNotification;
        const char* pszReport;
    } cases[] = {
        {EN_MAXTEXT, "more than the results box can hold"},
        {EN_ERRSPACE, "not enough memory"},
    };
    CProgramWindow program(s_list);
    for (const auto& c : cases) {
        ASSERT_TRUE(TypeAndWaitForTheFill(program));
        ::PostMessageA(program.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_RESULTS, c.nNotification),
                       reinterpret_cast<LPARAM>(program.Results()));
        const HWND hReport = program.WaitForWindow("Norvane");
        ASSERT_NE(hReport, nullptr) << program.ResultsLineCount() << " of " << s_nFullLines;
        EXPECT_NE(ReportText(hReport).find(c.pszReport), std::string::npos) << ReportText(hReport);
        EXPECT_EQ(program.ResultsText(), "") << "a result cut short is shown";
        ::PostMessageA(hReport, WM_COMMAND, IDOK, 0);
        ::Sleep(600);  // a second report would be there by now
        EXPECT_EQ(program.FindOwnWindow("Norvane"), nullptr) << "reported more than once";
        EXPECT_EQ(program.ResultsText(), "");
        program.Type("9999");
        EXPECT_TRUE(WaitFor([&] { return program.ResultsText() == ResultsFor(s_list, "ab9999"); }, 20000));
        program.EraseQuery();
    }
}
