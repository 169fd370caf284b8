#include "framework/portable/OsFile.h"

#include "framework/portable/FileException.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int Descriptor(std::intptr_t hFile) { return static_cast<int>(hFile); }

// Why an opened entry is no file to read, or nullptr when it is one.
const char* NotAPlainFile(int fd)
{
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISREG(st.st_mode))
        return nullptr;
    return S_ISDIR(st.st_mode) ? "It is a folder, not a file" : "It is not a plain file";
}

}  // namespace

COsFile::~COsFile()
{
    Abort();
}

void COsFile::OpenRead(const CString& strPath)
{
    m_strPath = strPath;
    // Not blocking: a pipe of that name would wait for a writer forever.
    const int fd = ::open(strPath.GetString(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        ThrowLastError();
    m_hFile = fd;
    if (const char* pszWhy = NotAPlainFile(fd)) {
        Abort();
        throw CFileException(strPath, pszWhy);
    }
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        ThrowLastError();
}

bool COsFile::CreateNew(const CString& strPath)
{
    m_strPath = strPath;
    const int fd = ::open(strPath.GetString(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno == EEXIST)
        return false;
    if (fd < 0)
        ThrowLastError();
    m_hFile = fd;
    return true;
}

std::size_t COsFile::Read(void* pBuffer, std::size_t nCount)
{
    char* pch = static_cast<char*>(pBuffer);
    std::size_t nDone = 0;
    while (nDone < nCount) {
        const ssize_t n = ::read(Descriptor(m_hFile), pch + nDone, nCount - nDone);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ThrowLastError();
        if (n == 0)
            break;
        nDone += static_cast<std::size_t>(n);
    }
    return nDone;
}

void COsFile::Seek(std::uint64_t nOffset)
{
    if (::lseek(Descriptor(m_hFile), static_cast<off_t>(nOffset), SEEK_SET) < 0)
        ThrowLastError();
}

std::uint64_t COsFile::GetLength() const
{
    struct stat st;
    if (::fstat(Descriptor(m_hFile), &st) != 0)
        ThrowLastError();
    return static_cast<std::uint64_t>(st.st_size);
}

void COsFile::Write(const void* pBuffer, std::size_t nCount)
{
    const char* pch = static_cast<const char*>(pBuffer);
    while (nCount > 0) {
        const ssize_t n = ::write(Descriptor(m_hFile), pch, nCount);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ThrowLastError();
        pch += n;
        nCount -= static_cast<std::size_t>(n);
    }
}

void COsFile::Sync()
{
    if (::fsync(Descriptor(m_hFile)) != 0)
        ThrowLastError();
}

void COsFile::Close()
{
    const int fd = Descriptor(m_hFile);
    m_hFile = kInvalid;
    if (::close(fd) != 0)
        ThrowLastError();
}

void COsFile::Abort()
{
    if (IsOpen())
        ::close(Descriptor(m_hFile));
    m_hFile = kInvalid;
}

void COsFile::ThrowLastError() const
{
    throw CFileException(m_strPath, std::strerror(errno));
}
