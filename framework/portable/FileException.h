#pragma once

#include "framework/portable/String.h"

#include <exception>

// The one error the file layer throws: which file, and why, in plain words.
// The window layer reports it in a message box; the console driver on stderr.
class CFileException : public std::exception {
public:
    CFileException(const CString& strPath, const CString& strCause)
        : m_strPath(strPath), m_strCause(strCause), m_strMessage("'" + strPath + "': " + strCause) {}

    const CString& GetPath() const { return m_strPath; }
    const CString& GetCause() const { return m_strCause; }
    const char* what() const noexcept override { return m_strMessage.GetString(); }

private:
    CString m_strPath;
    CString m_strCause;
    CString m_strMessage;
};
