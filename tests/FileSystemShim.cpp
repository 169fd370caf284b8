// Preloaded into the console driver by its test, to stand for a file system
// that lacks hard links (FAT, exFAT, many network and FUSE mounts) or the
// rename that never replaces, as NORVANE_FS_LACKS says: "links", "rename",
// or both.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

namespace {

// The system's call of that name, or a failure with nError where the file
// system lacks what it does.
template <class TCall, class... TArgs>
int CallUnlessLacking(const char* pszWhat, int nError, const char* pszCall, TArgs... args)
{
    const char* pszLacks = std::getenv("NORVANE_FS_LACKS");
    if (pszLacks && std::strstr(pszLacks, pszWhat)) {
        errno = nError;
        return -1;
    }
    return reinterpret_cast<TCall>(::dlsym(RTLD_NEXT, pszCall))(args...);
}

}  // namespace

extern "C" int link(const char* pszFrom, const char* pszTo)
{
    using Link = int (*)(const char*, const char*);
    return CallUnlessLacking<Link>("links", EPERM, "link", pszFrom, pszTo);
}

extern "C" int renameat2(int nFromDir, const char* pszFrom, int nToDir, const char* pszTo, unsigned nFlags)
{
    using Rename = int (*)(int, const char*, int, const char*, unsigned);
    return CallUnlessLacking<Rename>("rename", EINVAL, "renameat2", nFromDir, pszFrom, nToDir, pszTo, nFlags);
}
