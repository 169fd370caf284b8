#include "tests/wine/ProgramWindow.h"

#include "search/SearchRun.h"
#include "store/DataFile.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

std::string NewTempFolder()
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(sizeof szTemp, szTemp);
    static unsigned s_nCount = 0;
    for (;;) {
        const std::string strDir = std::string(szTemp) + "norvane-ui-" + std::to_string(::GetCurrentProcessId()) +
                                   "-" + std::to_string(++s_nCount) + "\\";
        if (::CreateDirectoryA(strDir.c_str(), nullptr))
            return strDir;
    }
}

void RemoveFolder(const std::string& strDir)
{
    WIN32_FIND_DATAA data;
    const HANDLE hFind = ::FindFirstFileA((strDir + "*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const std::string strName = data.cFileName;
            if (strName == "." || strName == "..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(strDir + strName + "\\");
            else
                ::DeleteFileA((strDir + strName).c_str());
        } while (::FindNextFileA(hFind, &data));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryA(strDir.c_str());
}

struct CFindTarget {
    DWORD dwProcessId;
    const char* pszCaption;
    HWND hFound;
};

BOOL CALLBACK FindWindowOfProcess(HWND hWnd, LPARAM lParam)
{
    CFindTarget* pTarget = reinterpret_cast<CFindTarget*>(lParam);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId != pTarget->dwProcessId || !::IsWindowVisible(hWnd) ||
        CProgramWindow::TextOf(hWnd) != pTarget->pszCaption)
        return TRUE;
    pTarget->hFound = hWnd;
    return FALSE;
}

}  // namespace

std::string ProgramUnderTest()
{
    const char* pszProgram = std::getenv("NORVANE_EXE");
    return pszProgram && *pszProgram ? pszProgram : NORVANE_EXE;
}

CProgramWindow::CProgramWindow(const CProgramStart& start) : m_strDir(NewTempFolder())
{
    const std::string strExe = m_strDir + "Norvane.exe";
    if (!::CopyFileA(ProgramUnderTest().c_str(), strExe.c_str(), FALSE))
        throw std::runtime_error("cannot copy " + ProgramUnderTest());
    if (!start.strDataFile.empty() && !::CopyFileA(start.strDataFile.c_str(), (m_strDir + "Norvane.txt").c_str(), TRUE))
        throw std::runtime_error("cannot copy " + start.strDataFile);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::vector<char> commandLine(strExe.begin(), strExe.end());
    commandLine.push_back('\0');
    if (!::CreateProcessA(strExe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, m_strDir.c_str(),
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
    RemoveFolder(m_strDir);
}

std::size_t CProgramWindow::ResultsLength() const
{
    DWORD_PTR nLength = 0;
    ::SendMessageTimeoutA(Results(), WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 120000, &nLength);
    return nLength;
}

std::size_t CProgramWindow::ResultsLineCount() const
{
    DWORD_PTR nLines = 0;
    ::SendMessageTimeoutA(Results(), EM_GETLINECOUNT, 0, 0, SMTO_NORMAL, 120000, &nLines);
    return nLines;
}

HWND CProgramWindow::Focus() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(m_process.dwThreadId, &info);
    return info.hwndFocus;
}

void CProgramWindow::Type(const std::string& text, DWORD nPauseMs) const
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i > 0)
            ::Sleep(nPauseMs);
        ::PostMessageA(Query(), WM_CHAR, static_cast<unsigned char>(text[i]), 1);
    }
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
    WaitFor([this] { return QueryText().empty(); }, 5000);
}

long CProgramWindow::MsUntilResults(DWORD nLimitMs) const
{
    const DWORD dwStart = ::GetTickCount();
    if (!WaitFor([this] { return !ResultsText().empty(); }, nLimitMs))
        return -1;
    return static_cast<long>(::GetTickCount() - dwStart);
}

bool CProgramWindow::WaitForExit(DWORD nMs) const
{
    return ::WaitForSingleObject(m_process.hProcess, nMs) == WAIT_OBJECT_0;
}

HWND CProgramWindow::FindOwnWindow(const char* pszCaption) const
{
    CFindTarget target{m_process.dwProcessId, pszCaption, nullptr};
    ::EnumWindows(FindWindowOfProcess, reinterpret_cast<LPARAM>(&target));
    return target.hFound;
}

std::string CProgramWindow::TextOf(HWND hWnd)
{
    DWORD_PTR nLength = 0;
    if (!::SendMessageTimeoutA(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &nLength))
        return "(no answer)";
    std::vector<char> text(nLength + 1);
    DWORD_PTR nCopied = 0;
    ::SendMessageTimeoutA(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 5000,
                          &nCopied);
    return std::string(text.data(), nCopied);
}

bool WaitFor(const std::function<bool()>& condition, DWORD nMs)
{
    const DWORD dwStart = ::GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount() - dwStart > nMs)
            return false;
        ::Sleep(5);
    }
}

std::string ExpectedResults(const std::string& query, const std::string& strDataFile)
{
    const std::string strDir = NewTempFolder();
    if (strDataFile.empty())
        ResetDataFile(strDir.c_str());
    else
        ::CopyFileA(strDataFile.c_str(), (strDir + "Norvane.txt").c_str(), TRUE);
    std::string shown = "(nothing)";
    RunSearch(strDir.c_str(), query.c_str(),
              [&](const CString& text) { shown.assign(text.GetString(), text.GetLength()); });
    RemoveFolder(strDir);
    return shown;
}

long long FileSize(const std::string& strPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
