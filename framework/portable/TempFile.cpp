#include "framework/portable/TempFile.h"

#include "framework/portable/FileSystem.h"

namespace {

// "nv", five base-36 digits, ".tmp": no longer than "Norvane.txt", so a
// folder whose path leaves room for the data file leaves room for this.
CString ShortName(unsigned long nNumber)
{
    char szName[] = "nv00000.tmp";
    for (int i = 6; i >= 2; --i, nNumber /= 36)
        szName[i] = "0123456789abcdefghijklmnopqrstuvwxyz"[nNumber % 36];
    return szName;
}

}  // namespace

CTempFile::CTempFile(const CString& strTargetPath) : m_strTargetPath(strTargetPath)
{
    // Each process starts at a number of its own; a name that is taken, by
    // another process or one that died, is stepped over, never reused.
    const CString strDir = strTargetPath.Left(FindLastSeparator(strTargetPath) + 1);
    for (unsigned long nNumber = CurrentProcessId() * 64;; ++nNumber) {
        m_strPath = strDir + ShortName(nNumber);
        if (m_file.CreateNew(m_strPath))
            return;
    }
}

CTempFile::~CTempFile()
{
    if (!m_bCommitted) {
        m_file.Abort();  // Windows removes no open file
        RemoveFile(m_strPath);
    }
}

bool CTempFile::Commit()
{
    m_file.Sync();
    m_file.Close();
    m_bCommitted = MoveFileNoReplace(m_strPath, m_strTargetPath);
    return m_bCommitted;
}
