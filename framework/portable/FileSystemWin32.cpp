#include "framework/portable/FileSystem.h"

#include "framework/portable/FileException.h"
#include "framework/portable/Win32Error.h"

#include <windows.h>

#include <mbstring.h>
#include <vector>

void RemoveFile(const CString& strPath)
{
    ::DeleteFileA(strPath.GetString());
}

bool MoveFileNoReplace(const CString& strFrom, const CString& strTo)
{
    // Without MOVEFILE_REPLACE_EXISTING the move fails on any existing entry.
    if (::MoveFileExA(strFrom.GetString(), strTo.GetString(), MOVEFILE_WRITE_THROUGH))
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
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD nLength = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (nLength == 0)
            throw CFileException("Norvane.exe", DescribeWin32Error(::GetLastError()));
        if (nLength < buffer.size())
            return CString(buffer.data(), nLength);
        buffer.resize(buffer.size() * 2);
    }
}

long FindLastSeparator(const CString& strPath)
{
    const unsigned char* psz = reinterpret_cast<const unsigned char*>(strPath.GetString());
    const unsigned char* pch = ::_mbsrchr(psz, '\\');
    return pch ? static_cast<long>(pch - psz) : -1;
}

unsigned long CurrentProcessId()
{
    return ::GetCurrentProcessId();
}
