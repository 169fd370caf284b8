#include "tests/wine/ProgramWindow.h"

#include "framework/portable/FileSystem.h"
#include "store/DataFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

std::string ProgramUnderTest()
{
    const char* pszProgram = std::getenv("NORVANE_EXE");
    return pszProgram && *pszProgram ? pszProgram : std::string(ProgramDirectory().GetString()) + "Norvane.exe";
}

CProgramWindow::CProgramWindow(const std::string& dataFile)
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
    if (!WaitFor([this] { return (m_hDialog = FindOwnWindow("Norvane Search")) != nullptr; }, 20000))
        throw std::runtime_error("the window did not show");
    // Keys in the first 200 ms of the process arm nothing; start later.
    ::Sleep(300);
}

CProgramWindow::~CProgramWindow()
{
    if (!WaitForExit(0)) {
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, 5000);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

void CProgramWindow::PressKey(HWND hTarget, WPARAM nVirtualKey) const
{
    const LPARAM lParam = 1 | (::MapVirtualKeyA(static_cast<UINT>(nVirtualKey), MAPVK_VK_TO_VSC) << 16);
    ::PostMessageA(hTarget, WM_KEYDOWN, nVirtualKey, lParam);
    ::PostMessageA(hTarget, WM_KEYUP, nVirtualKey, lParam | 0xC0000000);
}

void CProgramWindow::EraseQuery() const
{
    PressKey(Query(), VK_RETURN);
    PressKey(Query(), VK_RETURN);
    WaitFor([&] { return QueryText().empty(); }, 5000);
}

HWND CProgramWindow::FindOwnWindow(const char* pszCaption) const
{
    // One program runs at a time: the window of that caption is its own.
    const HWND hWnd = ::FindWindowA(nullptr, pszCaption);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    return dwProcessId == m_process.dwProcessId && ::IsWindowVisible(hWnd) ? hWnd : nullptr;
}

HWND CProgramWindow::WaitForWindow(const char* pszCaption, DWORD nWaitMs) const
{
    HWND hWnd = nullptr;
    WaitFor([&] { return (hWnd = FindOwnWindow(pszCaption)) != nullptr; }, nWaitMs);
    return hWnd;
}

std::string CProgramWindow::TextOf(HWND hWnd)
{
    std::vector<char> text(SendWithTimeout(hWnd, WM_GETTEXTLENGTH) + 1);
    return std::string(text.data(), SendWithTimeout(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
}

std::string CProgramWindow::WideTextOf(HWND hWnd)
{
    DWORD_PTR nLength = 0;
    ::SendMessageTimeoutW(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &nLength);
    std::vector<wchar_t> text(nLength + 1);
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 5000,
                          &nLength);
    std::string utf8(4 * nLength, '\0');
    utf8.resize(::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(nLength), utf8.data(),
                                      static_cast<int>(utf8.size()), nullptr, nullptr));
    return utf8;
}

DWORD_PTR CProgramWindow::SendWithTimeout(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR nResult = 0;
    ::SendMessageTimeoutA(hWnd, nMessage, wParam, lParam, SMTO_NORMAL, 5000, &nResult);
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

bool IsWine()
{
    return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::size_t LineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}
