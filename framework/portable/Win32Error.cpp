#include "framework/portable/Win32Error.h"

#include <windows.h>

#include <cstdio>

CString DescribeWin32Error(unsigned long dwError)
{
    char szText[512];
    DWORD nLength = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                     dwError, 0, szText, sizeof szText, nullptr);
    if (nLength == 0) {
        std::snprintf(szText, sizeof szText, "system error %lu", dwError);
        return szText;
    }
    return CString(szText, nLength).TrimRight("\r\n .");
}
