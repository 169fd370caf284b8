#pragma once

// Drives a running Norvane.exe from outside, as a user would: posts keys to
// its boxes and reads them back. Each instance runs the program in a fresh
// folder of its own and ends it when it goes. The window tests and the
// latency tool share it.

#include "res/resource.h"

#include <windows.h>

#include <functional>
#include <string>

// What the program's folder holds before it starts: by default nothing but
// the program, which then writes its data file.
struct CProgramStart {
    std::string strDataFile;  // a file to copy as Norvane.txt
};

class CProgramWindow {
public:
    explicit CProgramWindow(const CProgramStart& start = CProgramStart());
    CProgramWindow(const CProgramWindow&) = delete;
    CProgramWindow& operator=(const CProgramWindow&) = delete;
    ~CProgramWindow();

    const std::string& Dir() const { return m_strDir; }
    HWND Dialog() const { return m_hDialog; }
    HWND Query() const { return ::GetDlgItem(m_hDialog, IDC_QUERY); }
    HWND Results() const { return ::GetDlgItem(m_hDialog, IDC_RESULTS); }

    std::string QueryText() const { return TextOf(Query()); }
    std::string ResultsText() const { return TextOf(Results()); }
    // Asked of the box itself: the window manager knows only captions.
    std::size_t ResultsLength() const;
    std::size_t ResultsLineCount() const;
    HWND Focus() const;

    // Posts the characters to the query box, nPauseMs apart.
    void Type(const std::string& text, DWORD nPauseMs = 30) const;
    void PressKey(HWND hTarget, WPARAM nVirtualKey) const;
    // Return twice: selects the query, then erases it.
    void EraseQuery() const;

    // Milliseconds from now until the results box is not empty, or -1.
    long MsUntilResults(DWORD nLimitMs) const;
    // True once the program has ended, within the time given.
    bool WaitForExit(DWORD nMs) const;
    // The top-level window of this program with that caption, if any.
    HWND FindOwnWindow(const char* pszCaption) const;

    static std::string TextOf(HWND hWnd);

private:
    std::string m_strDir;
    PROCESS_INFORMATION m_process{};
    HWND m_hDialog = nullptr;
};

// The program under test: NORVANE_EXE from the environment, or the one
// built beside the tests.
std::string ProgramUnderTest();

// Polls the condition every few milliseconds; true if it held in time.
bool WaitFor(const std::function<bool()>& condition, DWORD nMs);

// What the search core shows for the query against the default list, or
// against a copy of the data file given.
std::string ExpectedResults(const std::string& query, const std::string& strDataFile = "");

// The size of a file, or -1 if there is none.
long long FileSize(const std::string& strPath);
