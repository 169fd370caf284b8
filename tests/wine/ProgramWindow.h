#pragma once

// Drives a running Norvane.exe from outside, as a user would: posts keys to
// its boxes and reads them back. Each instance runs the program in a fresh
// folder of its own (named with letters outside the ANSI code page, see
// CTempDir), or in folders made below that one, with the data file given or
// none, and ends it when it goes. The window tests and the latency tool
// share it.

#include "res/resource.h"
#include "tests/TestFiles.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Polls the condition every few milliseconds; true if it held in time.
bool WaitFor(const std::function<bool()>& condition, DWORD nMs);

class CProgramWindow {
public:
    CProgramWindow() { Start(); }
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
    HWND Dialog() const { return m_hDialog; }
    HWND Query() const { return ::GetDlgItem(m_hDialog, IDC_QUERY); }
    HWND Results() const { return ::GetDlgItem(m_hDialog, IDC_RESULTS); }
    std::string QueryText() const { return TextOf(Query()); }
    std::string ResultsText() const { return TextOf(Results()); }
    // Asked of the box itself, cheaply: Wine takes a second to measure 10 MB.
    std::size_t ResultsLineCount() const { return SendWithTimeout(Results(), EM_GETLINECOUNT); }
    HWND Focus() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ::GetGUIThreadInfo(m_process.dwThreadId, &info);
        return info.hwndFocus;
    }

    // Posts the characters to the query box, nPauseMs apart.
    void Type(const std::string& text, DWORD nPauseMs = 30) const
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            ::Sleep(i > 0 ? nPauseMs : 0);
            ::PostMessageA(Query(), WM_CHAR, static_cast<unsigned char>(text[i]), 1);
        }
    }
    void PressKey(HWND hTarget, WPARAM nVirtualKey) const;
    // Return twice, which selects the query and then erases it.
    void EraseQuery() const;
    // True once the program has ended, within the time given.
    bool WaitForExit(DWORD nMs) const { return ::WaitForSingleObject(m_process.hProcess, nMs) == WAIT_OBJECT_0; }
    // The top-level window of this program with that caption, if any.
    HWND FindOwnWindow(const char* pszCaption) const;
    // That window, once the program shows it within the time given, or nullptr.
    HWND WaitForWindow(const char* pszCaption, DWORD nWaitMs = 5000) const;

    // A box's text as the program holds it (the code page's bytes).
    static std::string TextOf(HWND hWnd);
    // A window's text in UTF-8, whatever its letters: for the reports.
    static std::string WideTextOf(HWND hWnd);
    // A message sent, answered within five seconds, or 0.
    static DWORD_PTR SendWithTimeout(HWND hWnd, UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0);

private:
    void Start();

    CTempDir m_dir;
    std::string m_strDir = m_dir.Dir();  // the program's
    PROCESS_INFORMATION m_process{};
    HWND m_hDialog = nullptr;
};

// The program under test: NORVANE_EXE from the environment, or the
// Norvane.exe beside the tests.
std::string ProgramUnderTest();

// Starts a program of the test's own; its handles are the caller's to close.
bool StartProcess(const std::wstring& exe, const std::wstring& commandLine, const wchar_t* pszWorkingDir,
                  PROCESS_INFORMATION& process);

// True when the tests run under Wine rather than Windows.
bool IsWine();

// The number of lines of a text in an edit box.
std::size_t LineCount(const std::string& text);
