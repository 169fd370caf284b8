#include "framework/portable/FileSystem.h"

#include "framework/portable/FileException.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

void RemoveFile(const CString& strPath)
{
    ::unlink(strPath.GetString());
}

bool MoveFileNoReplace(const CString& strFrom, const CString& strTo)
{
    // A hard link never replaces its target; the temporary name goes after.
    if (::link(strFrom.GetString(), strTo.GetString()) != 0) {
        if (errno == EEXIST)
            return false;
        throw CFileException(strTo, std::strerror(errno));
    }
    ::unlink(strFrom.GetString());
    return true;
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

long FindLastSeparator(const CString& strPath)
{
    const char* psz = strPath.GetString();
    const char* pch = std::strrchr(psz, '/');
    return pch ? static_cast<long>(pch - psz) : -1;
}

unsigned long CurrentProcessId()
{
    return static_cast<unsigned long>(::getpid());
}
