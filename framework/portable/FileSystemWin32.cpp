#include "framework/portable/FileSystem.h"

#include "framework/portable/FileException.h"
#include "framework/portable/Win32Error.h"
#include "framework/portable/WideText.h"

#include <windows.h>

#include <vector>

void RemoveFile(const CString& strPath)
{
    ::DeleteFileW(SystemPathOf(strPath).c_str());
}

bool MoveFileNoReplace(const CString& strFrom, const CString& strTo)
{
    // Without MOVEFILE_REPLACE_EXISTING the move fails on any existing entry.
    // A scanner that opened the new file is waited out.
    const std::wstring from = SystemPathOf(strFrom);
    const std::wstring to = SystemPathOf(strTo);
    const FileAttempt outcome = RetryWhileHeld(
        [&] { return Win32Attempt(::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)); });
    if (outcome == FileAttempt::Done)
        return true;
    const DWORD dwError = ::GetLastError();
    if (dwError == ERROR_ALREADY_EXISTS || dwError == ERROR_FILE_EXISTS)
        return false;
    throw CFileException(strTo, DescribeWin32Error(dwError));
}

CString ModuleFileName()
{
    // The buffer grows until the whole path fits: a cut path would put the
    // data file in the wrong folder.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD nLength = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (nLength == 0)
            throw CFileException("Norvane.exe", DescribeWin32Error(::GetLastError()));
        if (nLength < buffer.size())
            return Utf8FromWide(buffer.data(), nLength);
        buffer.resize(buffer.size() * 2);
    }
}

unsigned long CurrentProcessId()
{
    return ::GetCurrentProcessId();
}
