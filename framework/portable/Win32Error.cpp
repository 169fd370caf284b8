#include "framework/portable/Win32Error.h"

#include "framework/portable/WideText.h"

#include <windows.h>

#include <cstdio>

CString DescribeWin32Error(unsigned long dwError)
{
    wchar_t szText[512];
    const DWORD nLength = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                           dwError, 0, szText, sizeof szText / sizeof szText[0], nullptr);
    if (nLength == 0) {
        char szNumber[32];
        std::snprintf(szNumber, sizeof szNumber, "system error %lu", dwError);
        return szNumber;
    }
    return Utf8FromWide(szText, nLength).TrimRight("\r\n .");
}

FileAttempt Win32Attempt(bool bSucceeded)
{
    if (bSucceeded)
        return FileAttempt::Done;
    const DWORD dwError = ::GetLastError();
    return dwError == ERROR_SHARING_VIOLATION || dwError == ERROR_LOCK_VIOLATION ? FileAttempt::Held
                                                                                  : FileAttempt::Failed;
}
