#pragma once

#include "framework/portable/StdioFile.h"
#include "framework/portable/String.h"

// A new file beside a target path, written in full before it takes the
// target's name, so that the target is never seen half written. Removed by
// the destructor unless it became the target.
class CTempFile {
public:
    explicit CTempFile(const CString& strTargetPath);
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;
    ~CTempFile();

    CStdioFile& File() { return m_file; }

    // Puts the written bytes on the disk, closes the file and gives it the
    // target name unless an entry of that name exists: then that entry is
    // kept, this file is removed, and the result is false.
    bool Commit();

private:
    CString m_strTargetPath;
    CString m_strPath;
    CStdioFile m_file;
    bool m_bCommitted = false;
};
