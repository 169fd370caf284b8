#include "framework/portable/FileFind.h"

#include <sys/stat.h>

CFileFind::~CFileFind() = default;

bool CFileFind::FindFile(const CString& strPath)
{
    // lstat: a link counts as an entry even when it leads nowhere.
    struct stat st;
    return ::lstat(strPath.GetString(), &st) == 0;
}
