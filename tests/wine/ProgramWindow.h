#pragma once

// Drives a running Norvane.exe from outside, as a user would: types into
// its boxes and reads them back, waiting for what it shows, never for a
// guessed time. Each instance runs the program in a fresh folder of its own
// (named with letters outside the ANSI code page, see CTempDir), or in
// folders made below that one, with the data file given or none, and ends
// it when it goes. The window tests and the latency tool share it.

#include "framework/portable/WideText.h"
#include "res/resource.h"
#include "store/DataFile.h"
#include "tests/TestFiles.h"
#include "ui/TypingPause.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// Text in a code page (CP_UTF8, CP_ACP) and back.
std::string BytesOf(std::wstring_view text, UINT nCodePage);
inline std::wstring WideOf(const std::string& utf8) { return WideFromCodePage(utf8, CP_UTF8); }

// Polls the condition every few milliseconds; true if it held in time.
bool WaitFor(const std::function<bool()>& condition, DWORD nMs = 5000);

// The window with the focus among those of a thread.
inline HWND FocusOf(DWORD dwThreadId)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(dwThreadId, &info) ? info.hwndFocus : nullptr;
}
// The visible top-level windows of a process with that caption.
std::vector<HWND> VisibleWindowsOf(DWORD dwProcessId, const char* pszCaption);
// The first, once the process shows it within the time given, or nullptr.
HWND WaitForWindowOf(DWORD dwProcessId, const char* pszCaption, DWORD nWaitMs);

class CProgramWindow {
public:
    CProgramWindow() { Start(); }
    // With a data file of these bytes.
    explicit CProgramWindow(const std::string& dataFile);
    // In the folders of these names, one in the other, with no data file.
    // Throws std::runtime_error where the system cannot make the folders or
    // start the program there.
    explicit CProgramWindow(const std::vector<std::string>& subfolders);
    CProgramWindow(const CProgramWindow&) = delete;
    CProgramWindow& operator=(const CProgramWindow&) = delete;
    ~CProgramWindow();

    const std::string& Dir() const { return m_strDir; }
    HANDLE Process() const { return m_process.hProcess; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    HWND Dialog() const { return m_hDialog; }
    HWND Query() const { return ::GetDlgItem(m_hDialog, IDC_QUERY); }
    HWND Results() const { return ::GetDlgItem(m_hDialog, IDC_RESULTS); }
    // The results as the box shows them, in UTF-8.
    std::string ResultsText() const { return BytesOf(TextOf(Results()), CP_UTF8); }
    // Asked of the box itself, cheaply: Wine takes a second to measure 10 MB.
    std::size_t ResultsLineCount() const { return SendWithTimeout(Results(), EM_GETLINECOUNT); }
    HWND Focus() const { return FocusOf(m_process.dwThreadId); }
    // "START-END" of a box's selection, in the box's UTF-16 units.
    std::string Selection(HWND hBox) const;

    // Types the text (UTF-8) at the end of the query once more than the
    // typing pause has passed since the program took its last change, on
    // the clock the program reads (TypingPause.h), so that the first key
    // arms the search. The keys come as one burst, inside the pause
    // whatever the machine's load; postAfter() posts what the program is to
    // take right after them. Returns once the program took the keys.
    void Type(const std::string& text, const std::function<void()>& postAfter = {}) const;
    // Posts the search timer's message: the search runs as the program
    // takes it, not a pause later.
    void PostSearchTimer() const { ::PostMessageW(m_hDialog, WM_TIMER, SEARCH_TIMER_ID, 0); }
    // Runs act() while the program's thread stands still: what it posts
    // waits in the program's queue in order, and posted messages all come
    // before the program's next idle turn or timer.
    void WhilePaused(const std::function<void()>& act) const
    {
        CONTEXT context{};  // asked only once the thread has stopped: SuspendThread does not wait
        context.ContextFlags = CONTEXT_CONTROL;
        if (::SuspendThread(m_process.hThread) == static_cast<DWORD>(-1) ||
            !::GetThreadContext(m_process.hThread, &context))
            ADD_FAILURE() << "the program's thread did not stop: system error " << ::GetLastError();
        act();
        ::ResumeThread(m_process.hThread);
    }
    // Closes hHold, a handle that holds the data file, while the program
    // waits for it, as its caption says (read without the program's
    // answer), and answers what the caption says meanwhile: looked at and
    // closed while the program's thread stands still, so that the release
    // falls inside the wait however late this thread gets to it. False
    // where the wait was over by then or before the answer, or never came;
    // the handle is closed all the same.
    bool ReleaseWhileWaiting(HANDLE hHold) const;
    // Keys pressed together through the system's input to the program's
    // focus, as a keyboard would: each goes down in turn, then up in reverse.
    void Press(std::initializer_list<WORD> keys) const;
    // Return twice in the query box, where it holds a query: the one that
    // follows a Return that selected the query erases it.
    void EraseQuery() const;
    // Waits until the results box shows what the search core shows for the
    // query (UTF-8) against the program's data file.
    ::testing::AssertionResult ShowsResultsFor(const std::string& query) const;

    // The visible top-level windows of this program with that caption.
    std::size_t CountOwnWindows(const char* pszCaption) const
    {
        return VisibleWindowsOf(m_process.dwProcessId, pszCaption).size();
    }
    // That window, once the program shows it within the time given, or nullptr.
    HWND WaitForWindow(const char* pszCaption, DWORD nWaitMs = 5000) const
    {
        return WaitForWindowOf(m_process.dwProcessId, pszCaption, nWaitMs);
    }

    // A window's text, whatever its letters.
    static std::wstring TextOf(HWND hWnd);
    // The text of a message box, in UTF-8.
    static std::string ReportText(HWND hReport) { return BytesOf(TextOf(::GetDlgItem(hReport, 0xFFFF)), CP_UTF8); }
    // A message sent, answered within five seconds, or 0.
    static DWORD_PTR SendWithTimeout(HWND hWnd, UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0);

private:
    void Start();

    CTempDir m_dir;
    std::string m_strDir = m_dir.Dir();  // the program's
    std::string m_dataFile;              // empty: the built-in list
    PROCESS_INFORMATION m_process{};
    HWND m_hDialog = nullptr;
    mutable DWORD m_dwLastChange = 0;  // when the program had taken the last change of the query
};

// What the results box shows, in UTF-8, after the search core's run for
// the query typed (UTF-8) against a data file of these bytes.
std::string CoreResultsFor(const std::string& dataFile, const std::string& query);

// The program under test: NORVANE_EXE from the environment, or the
// Norvane.exe beside the tests.
inline std::string ProgramUnderTest()
{
    const char* pszProgram = std::getenv("NORVANE_EXE");
    return pszProgram && *pszProgram ? pszProgram : std::string(ProgramDirectory().GetString()) + "Norvane.exe";
}

// Starts a program of the test's own; its handles are the caller's to close.
bool StartProcess(const std::wstring& exe, const std::wstring& commandLine, const wchar_t* pszWorkingDir,
                  PROCESS_INFORMATION& process);

// True when the tests run under Wine rather than Windows.
inline bool IsWine() { return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }


// The number of lines of a text in an edit box.
inline std::size_t LineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}
