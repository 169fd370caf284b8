#include "framework/portable/TempFile.h"

#include "framework/portable/FileSystem.h"

#include <cstdio>

CTempFile::CTempFile(const CString& strTargetPath) : m_strTargetPath(strTargetPath)
{
    // A name left by an earlier process that died is skipped, never reused.
    for (unsigned nAttempt = 0;; ++nAttempt) {
        char szSuffix[48];
        std::snprintf(szSuffix, sizeof szSuffix, ".%lu-%u.tmp", CurrentProcessId(), nAttempt);
        m_strPath = strTargetPath + szSuffix;
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
