#include "tests/wine/ProgramWindow.h"

#include "store/DefaultJournals.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <vector>

std::string ProgramUnderTest()
{
    const char* pszProgram = std::getenv("NORVANE_EXE");
    return pszProgram && *pszProgram ? pszProgram : NORVANE_EXE;
}

CProgramWindow::CProgramWindow(const std::string& dataFile)
{
    WriteBytes(m_dir.Path("Norvane.txt"), dataFile);
    Start();
}

void CProgramWindow::Start()
{
    const std::string strExe = m_dir.Path("Norvane.exe");
    WriteBytes(strExe, ReadBytes(ProgramUnderTest()));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::vector<char> commandLine(strExe.begin(), strExe.end());
    commandLine.push_back('\0');
    if (!::CreateProcessA(strExe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, Dir().c_str(),
                          &startup, &m_process))
        throw std::runtime_error("cannot start Norvane.exe");
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

HWND CProgramWindow::FindOwnWindow(const char* pszCaption) const
{
    // One program runs at a time: the window of that caption is its own.
    const HWND hWnd = ::FindWindowA(nullptr, pszCaption);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    return dwProcessId == m_process.dwProcessId && ::IsWindowVisible(hWnd) ? hWnd : nullptr;
}

std::string CProgramWindow::TextOf(HWND hWnd)
{
    std::vector<char> text(Ask(hWnd, WM_GETTEXTLENGTH) + 1);
    return std::string(text.data(), Ask(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
}

DWORD_PTR CProgramWindow::Ask(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
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

std::string DefaultDataFile()
{
    const CString list = DefaultJournalText();
    return WithCrLf(std::string(list.GetString(), list.GetLength()));
}

std::size_t LineCount(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}
