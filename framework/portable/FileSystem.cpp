#include "framework/portable/FileSystem.h"

#include <cstring>

long FindLastSeparator(const CString& strPath)
{
    const char* psz = strPath.GetString();
    const char* pch = std::strrchr(psz, kPathSeparator);
    return pch ? static_cast<long>(pch - psz) : -1;
}
