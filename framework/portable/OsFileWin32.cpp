#include "framework/portable/OsFile.h"

#include "framework/portable/FileException.h"
#include "framework/portable/Win32Error.h"

#include <windows.h>

#include <algorithm>

namespace {

HANDLE Handle(std::intptr_t hFile) { return reinterpret_cast<HANDLE>(hFile); }

bool IsFolder(const CString& strPath)
{
    const DWORD dwAttributes = ::GetFileAttributesA(strPath.GetString());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

COsFile::~COsFile()
{
    Abort();
}

void COsFile::OpenRead(const CString& strPath)
{
    m_strPath = strPath;
    // Share mode 0: no other program opens the file while we hold it.
    const HANDLE hFile = ::CreateFileA(strPath.GetString(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        if (IsFolder(strPath))
            throw CFileException(strPath, "It is a folder, not a file");
        ThrowLastError();
    }
    m_hFile = reinterpret_cast<std::intptr_t>(hFile);
}

bool COsFile::CreateNew(const CString& strPath)
{
    m_strPath = strPath;
    const HANDLE hFile = ::CreateFileA(strPath.GetString(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
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

void COsFile::SeekToBegin()
{
    if (::SetFilePointer(Handle(m_hFile), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        ThrowLastError();
}

bool COsFile::ScanMapped(const std::function<void(const char*, const char*)>&)
{
    // Blocks here: a map would turn a read failing on a network drive into
    // a crash, and the file, opened exclusively, cannot change meanwhile.
    return false;
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
