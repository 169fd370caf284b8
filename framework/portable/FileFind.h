#pragma once

#include "framework/portable/String.h"

#include <cstdint>

// Looks a directory entry up by its exact name; the search handle the
// platform opens for that is closed by the destructor.
class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    ~CFileFind();

    // True when an entry of that name exists: a file, a folder or a link.
    bool FindFile(const CString& strPath);

private:
#if defined(_WIN32)
    std::intptr_t m_hFind = -1;  // the open search handle; POSIX needs none
#endif
};
