#include "framework/portable/OsFile.h"

#include "framework/portable/FileException.h"
#include "framework/portable/HeldFileRetry.h"
#include "framework/portable/Win32Error.h"
#include "framework/portable/WideText.h"

#include <windows.h>

#include <algorithm>

namespace {

HANDLE Handle(std::intptr_t hFile) { return reinterpret_cast<HANDLE>(hFile); }

bool IsFolder(const std::wstring& path)
{
    const DWORD dwAttributes = ::GetFileAttributesW(path.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Opens with share mode 0, so that no other program opens the file while
// this one holds it; a hold by another program is waited out.
HANDLE OpenExclusively(const std::wstring& path, DWORD dwAccess, DWORD dwDisposition)
{
    HANDLE hFile = INVALID_HANDLE_VALUE;
    RetryWhileHeld([&] {
        hFile = ::CreateFileW(path.c_str(), dwAccess, 0, nullptr, dwDisposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        return Win32Attempt(hFile != INVALID_HANDLE_VALUE);
    });
    return hFile;
}

}  // namespace

COsFile::~COsFile()
{
    Abort();
}

void COsFile::OpenRead(const CString& strPath)
{
    m_strPath = strPath;
    const std::wstring path = SystemPathOf(strPath);
    const HANDLE hFile = OpenExclusively(path, GENERIC_READ, OPEN_EXISTING);
    if (hFile == INVALID_HANDLE_VALUE) {
        const DWORD dwError = ::GetLastError();
        if (IsFolder(path))
            throw CFileException(strPath, "It is a folder, not a file");
        throw CFileException(strPath, DescribeWin32Error(dwError));
    }
    m_hFile = reinterpret_cast<std::intptr_t>(hFile);
}

bool COsFile::CreateNew(const CString& strPath)
{
    m_strPath = strPath;
    const HANDLE hFile = OpenExclusively(SystemPathOf(strPath), GENERIC_WRITE, CREATE_NEW);
    if (hFile == INVALID_HANDLE_VALUE) {
        if (::GetLastError() == ERROR_FILE_EXISTS || ::GetLastError() == ERROR_ALREADY_EXISTS)
            return false;
        ThrowLastError();
    }
    m_hFile = reinterpret_cast<std::intptr_t>(hFile);
    return true;
}

std::size_t COsFile::Read(void* pBuffer, std::size_t nCount)
{
    char* pch = static_cast<char*>(pBuffer);
    std::size_t nDone = 0;
    while (nDone < nCount) {
        const DWORD nChunk = static_cast<DWORD>(std::min<std::size_t>(nCount - nDone, 1u << 30));
        DWORD nRead = 0;
        if (!::ReadFile(Handle(m_hFile), pch + nDone, nChunk, &nRead, nullptr))
            ThrowLastError();
        if (nRead == 0)
            break;
        nDone += nRead;
    }
    return nDone;
}

void COsFile::Seek(std::uint64_t nOffset)
{
    LARGE_INTEGER offset;
    offset.QuadPart = static_cast<LONGLONG>(nOffset);
    if (!::SetFilePointerEx(Handle(m_hFile), offset, nullptr, FILE_BEGIN))
        ThrowLastError();
}

std::uint64_t COsFile::GetLength() const
{
    LARGE_INTEGER length;
    if (!::GetFileSizeEx(Handle(m_hFile), &length))
        ThrowLastError();
    return static_cast<std::uint64_t>(length.QuadPart);
}

void COsFile::Write(const void* pBuffer, std::size_t nCount)
{
    const char* pch = static_cast<const char*>(pBuffer);
    while (nCount > 0) {
        const DWORD nChunk = static_cast<DWORD>(std::min<std::size_t>(nCount, 1u << 30));
        DWORD nWritten = 0;
        if (!::WriteFile(Handle(m_hFile), pch, nChunk, &nWritten, nullptr))
            ThrowLastError();
        pch += nWritten;
        nCount -= nWritten;
    }
}

void COsFile::Sync()
{
    if (!::FlushFileBuffers(Handle(m_hFile)))
        ThrowLastError();
}

void COsFile::Close()
{
    const HANDLE hFile = Handle(m_hFile);
    m_hFile = kInvalid;
    if (!::CloseHandle(hFile))
        ThrowLastError();
}

void COsFile::Abort()
{
    if (IsOpen())
        ::CloseHandle(Handle(m_hFile));
    m_hFile = kInvalid;
}

void COsFile::ThrowLastError() const
{
    throw CFileException(m_strPath, DescribeWin32Error(::GetLastError()));
}
