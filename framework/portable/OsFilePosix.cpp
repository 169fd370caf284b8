#include "framework/portable/OsFile.h"

#include "framework/portable/FileException.h"

#include <cerrno>
#include <csetjmp>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int Descriptor(std::intptr_t hFile) { return static_cast<int>(hFile); }

// Where a read of a map that lost part of its file goes back to. Nothing
// but plain reads and copies touches a map, so a jump out of one leaves no
// allocation or lock half done.
thread_local sigjmp_buf* t_pMapReadFailed = nullptr;

void OnBusError(int nSignal)
{
    if (t_pMapReadFailed != nullptr)
        siglongjmp(*t_pMapReadFailed, 1);
    std::signal(nSignal, SIG_DFL);  // not ours: the default, a crash
    std::raise(nSignal);
}

// Runs read; false if it touched a part of the map that the file has lost.
bool ReadGuarded(const std::function<void()>& read)
{
    static const bool s_bHandlerSet = [] {
        struct sigaction action {};
        action.sa_handler = OnBusError;
        sigemptyset(&action.sa_mask);
        return sigaction(SIGBUS, &action, nullptr) == 0;
    }();
    if (!s_bHandlerSet)
        return false;
    sigjmp_buf failed;
    struct CClearOnExit {
        ~CClearOnExit() { t_pMapReadFailed = nullptr; }
    } clear;
    if (sigsetjmp(failed, 1) != 0)
        return false;
    t_pMapReadFailed = &failed;
    read();
    return true;
}

// A map of a whole file, unmapped by the destructor.
class CFileMap {
public:
    CFileMap(int fd, std::size_t nSize) : m_nSize(nSize), m_p(::mmap(nullptr, nSize, PROT_READ, MAP_PRIVATE, fd, 0)) {}
    CFileMap(const CFileMap&) = delete;
    CFileMap& operator=(const CFileMap&) = delete;
    ~CFileMap()
    {
        if (IsMapped())
            ::munmap(m_p, m_nSize);
    }

    bool IsMapped() const { return m_p != MAP_FAILED; }
    const char* Begin() const { return static_cast<const char*>(m_p); }
    const char* End() const { return Begin() + m_nSize; }

private:
    std::size_t m_nSize;
    void* m_p;
};

// Scans the map in parts of whole lines, each let go once scanned: the pages
// stay in the system's cache, but the memory of the process stays small
// whatever the size of the file.
void ScanInParts(const CFileMap& map, const std::function<void(const char*, const char*)>& scan)
{
    constexpr std::ptrdiff_t kPartBytes = 16 << 20;
    const std::uintptr_t nPageMask = ~(static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE)) - 1);
    for (const char* pch = map.Begin(); pch < map.End();) {
        const char* pchPartEnd = map.End();
        if (map.End() - pch > kPartBytes) {
            pchPartEnd = pch + kPartBytes;
            while (pchPartEnd > pch && pchPartEnd[-1] != '\n')
                --pchPartEnd;
            if (pchPartEnd == pch) {  // one line longer than a part
                const void* pLf = std::memchr(pch + kPartBytes, '\n', static_cast<std::size_t>(map.End() - pch - kPartBytes));
                pchPartEnd = pLf ? static_cast<const char*>(pLf) + 1 : map.End();
            }
        }
        scan(pch, pchPartEnd);
        const std::uintptr_t nFrom = reinterpret_cast<std::uintptr_t>(pch) & nPageMask;
        const std::uintptr_t nTo = reinterpret_cast<std::uintptr_t>(pchPartEnd) & nPageMask;
        ::madvise(reinterpret_cast<void*>(nFrom), nTo - nFrom, MADV_DONTNEED);
        pch = pchPartEnd;
    }
}

}  // namespace

COsFile::~COsFile()
{
    Abort();
}

void COsFile::OpenRead(const CString& strPath)
{
    m_strPath = strPath;
    const int fd = ::open(strPath.GetString(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        ThrowLastError();
    m_hFile = fd;

    // A folder opens for reading here but never reads; say so plainly.
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        Close();
        throw CFileException(strPath, "It is a folder, not a file");
    }
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

void COsFile::SeekToBegin()
{
    if (::lseek(Descriptor(m_hFile), 0, SEEK_SET) < 0)
        ThrowLastError();
}

bool COsFile::ScanMapped(const std::function<void(const char*, const char*)>& scan)
{
    struct stat st;
    if (::fstat(Descriptor(m_hFile), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0)
        return false;
    const CFileMap map(Descriptor(m_hFile), static_cast<std::size_t>(st.st_size));
    if (!map.IsMapped())
        return false;
    if (!ReadGuarded([&] { ScanInParts(map, scan); }))
        throw CFileException(m_strPath, "The file was cut short while it was read");
    return true;
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
