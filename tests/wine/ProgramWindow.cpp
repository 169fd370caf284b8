#include "tests/wine/ProgramWindow.h"

#include "framework/portable/FileSystem.h"
#include "search/SearchRun.h"

#include <iterator>
#include <stdexcept>

CProgramWindow::CProgramWindow(const std::string& dataFile) : m_dataFile(dataFile)
{
    WriteBytes(m_dir.Path("Norvane.txt"), dataFile);
    Start();
}

CProgramWindow::CProgramWindow(const std::vector<std::string>& subfolders)
{
    for (const std::string& name : subfolders) {
        m_strDir += name + kPathSeparator;
        if (!::CreateDirectoryW(PathOf(m_strDir).c_str(), nullptr))
            throw std::runtime_error("cannot make " + m_strDir + ": system error " + std::to_string(::GetLastError()));
    }
    Start();
}

void CProgramWindow::Start()
{
    WriteBytes(m_strDir + "Norvane.exe", ReadBytes(ProgramUnderTest()));
    // As a user's shell starts it; where the path is too long for that, in
    // the long form.
    const std::wstring exe = ShellPathOf(m_strDir + "Norvane.exe").wstring();
    const std::wstring workingDir = ShellPathOf(m_strDir).wstring();
    if (!StartProcess(exe, exe, exe.size() < MAX_PATH ? workingDir.c_str() : nullptr, m_process) &&
        !StartProcess(PathOf(m_strDir + "Norvane.exe"), exe, nullptr, m_process))
        throw std::runtime_error("cannot start " + m_strDir + "Norvane.exe: system error " +
                                 std::to_string(::GetLastError()));
    if ((m_hDialog = WaitForWindow("Norvane Search", 20000)) == nullptr)
        throw std::runtime_error("the window did not show");
    // The program's clock starts before its window shows, and a change in
    // its first pause arms no search.
    m_dwLastChange = ::GetTickCount();
}

CProgramWindow::~CProgramWindow()
{
    if (::WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0) {
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, 5000);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

std::string CProgramWindow::Selection(HWND hBox) const
{
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    ::SendMessageW(hBox, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    return std::to_string(dwStart) + "-" + std::to_string(dwEnd);
}

void CProgramWindow::Type(const std::string& text, const std::function<void()>& postAfter) const
{
    // The program read its clock (GetTickCount, less where it started) for
    // its last change before this thread saw the change and read it: the
    // pause has passed for the program once it has for this thread.
    WaitFor([&] { return ::GetTickCount() - m_dwLastChange > CTypingPause::kPauseTicks; });
    const std::wstring keys = WideOf(text);
    const std::wstring typed = TextOf(Query()) + keys;
    WhilePaused([&] {
        for (const wchar_t ch : keys)
            ::PostMessageW(Query(), WM_CHAR, ch, 1);
        if (postAfter)
            postAfter();
    });
    WaitFor([&] { return TextOf(Query()) == typed; });
    m_dwLastChange = ::GetTickCount();
}

bool CProgramWindow::ReleaseWhileWaiting(HANDLE hHold) const
{
    static const std::wstring kWaiting = L"Norvane Search - waiting for another program to let go of Norvane.txt";
    // GetWindowText reads another process's caption without its answer.
    const auto waiting = [&] {
        wchar_t szCaption[128] = L"";
        ::GetWindowTextW(m_hDialog, szCaption, 128);
        return szCaption == kWaiting;
    };
    WaitFor([&] { return waiting() || CountOwnWindows("Norvane") > 0; }, 20000);
    // A screen reader told that the name changed asks the window for it.
    const bool bAnswered = TextOf(m_hDialog) == kWaiting;
    bool bWaiting = false;
    WhilePaused([&] {
        bWaiting = waiting();
        ::CloseHandle(hHold);
    });
    return bAnswered && bWaiting;
}

void CProgramWindow::Press(std::initializer_list<WORD> keys) const
{
    ::SetForegroundWindow(m_hDialog);
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

void CProgramWindow::EraseQuery() const
{
    // An empty query shows no erasure that this thread could wait for.
    if (TextOf(Query()).empty())
        return;
    // Posted to the box: under Wine in Japanese, the input method takes a
    // Return that comes through the system's input to a box that edits.
    for (const UINT nMessage : {WM_KEYDOWN, WM_KEYUP, WM_KEYDOWN, WM_KEYUP})
        ::PostMessageW(Query(), nMessage, VK_RETURN, nMessage == WM_KEYUP ? 0xC0000001 : 1);
    WaitFor([&] { return TextOf(Query()).empty(); });
    m_dwLastChange = ::GetTickCount();
}

::testing::AssertionResult CProgramWindow::ShowsResultsFor(const std::string& query) const
{
    const std::string dataFile = m_dataFile.empty() ? WithCrLf(DefaultJournalFile()) : m_dataFile;
    const std::string expected = CoreResultsFor(dataFile, query);
    return WaitFor([&] { return ResultsText() == expected; }, 20000)
               ? ::testing::AssertionSuccess()
               : ::testing::AssertionFailure() << "other results than the core's for " << query;
}

std::vector<HWND> VisibleWindowsOf(DWORD dwProcessId, const char* pszCaption)
{
    std::vector<HWND> windows;
    const std::wstring caption = WideOf(pszCaption);
    for (HWND hWnd = nullptr; (hWnd = ::FindWindowExW(nullptr, hWnd, nullptr, caption.c_str())) != nullptr;) {
        DWORD dwOwner = 0;
        ::GetWindowThreadProcessId(hWnd, &dwOwner);
        if (dwOwner == dwProcessId && ::IsWindowVisible(hWnd))
            windows.push_back(hWnd);
    }
    return windows;
}

HWND WaitForWindowOf(DWORD dwProcessId, const char* pszCaption, DWORD nWaitMs)
{
    std::vector<HWND> windows;
    WaitFor([&] { return !(windows = VisibleWindowsOf(dwProcessId, pszCaption)).empty(); }, nWaitMs);
    return windows.empty() ? nullptr : windows.front();
}

std::wstring CProgramWindow::TextOf(HWND hWnd)
{
    std::wstring text(SendWithTimeout(hWnd, WM_GETTEXTLENGTH) + 1, L'\0');
    text.resize(SendWithTimeout(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

DWORD_PTR CProgramWindow::SendWithTimeout(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR nResult = 0;
    ::SendMessageTimeoutW(hWnd, nMessage, wParam, lParam, SMTO_NORMAL, 5000, &nResult);
    return nResult;
}

bool WaitFor(const std::function<bool()>& condition, DWORD nMs)
{
    for (const DWORD dwStart = ::GetTickCount(); !condition(); ::Sleep(5)) {
        if (::GetTickCount() - dwStart > nMs)
            return false;
    }
    return true;
}

bool StartProcess(const std::wstring& exe, const std::wstring& commandLine, const wchar_t* pszWorkingDir,
                  PROCESS_INFORMATION& process)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::vector<wchar_t> line(commandLine.c_str(), commandLine.c_str() + commandLine.size() + 1);
    return ::CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, pszWorkingDir, &startup,
                            &process) != FALSE;
}

std::string CoreResultsFor(const std::string& dataFile, const std::string& query)
{
    // The query as the program gives it to the search (SearchDlg.cpp).
    const auto inAnsi = [&] {
        CAnsiText text;
        text.strBytes = CodePageFromWide(WideOf(query), CP_ACP, &text.bLacking);
        return text;
    };
    const CShown shown = ShownFor(dataFile, {CString(query.data(), query.size()), inAnsi}, CListCoding::ActiveAnsi());
    return BytesOf(WideFromCodePage(shown.text, shown.coding == TextCoding::Utf8 ? CP_UTF8 : CP_ACP), CP_UTF8);
}

std::string BytesOf(std::wstring_view text, UINT nCodePage)
{
    const CString bytes = CodePageFromWide(text, nCodePage);
    return {bytes.GetString(), bytes.GetLength()};
}

