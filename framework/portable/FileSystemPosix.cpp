#include "framework/portable/FileSystem.h"

#include "framework/portable/FileException.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

void RemoveFile(const CString& strPath)
{
    ::unlink(strPath.GetString());
}

bool MoveFileNoReplace(const CString& strFrom, const CString& strTo)
{
    // The system's rename that never replaces; where the file system lacks
    // it, a hard link, which never replaces its target either, and then the
    // temporary name goes. Many file systems (FAT, network and FUSE mounts)
    // have only one of the two.
    int nResult = ::renameat2(AT_FDCWD, strFrom.GetString(), AT_FDCWD, strTo.GetString(), RENAME_NOREPLACE);
    if (nResult != 0 && (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)) {
        nResult = ::link(strFrom.GetString(), strTo.GetString());
        if (nResult == 0)
            ::unlink(strFrom.GetString());
    }
    if (nResult == 0)
        return true;
    if (errno == EEXIST)
        return false;
    throw CFileException(strTo, std::strerror(errno));
}

CString ModuleFileName()
{
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            throw CFileException("/proc/self/exe", std::strerror(errno));
        if (static_cast<std::size_t>(n) < buffer.size())
            return CString(buffer.data(), static_cast<std::size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

unsigned long CurrentProcessId()
{
    return static_cast<unsigned long>(::getpid());
}
