#include "framework/portable/FileFind.h"

#include "framework/portable/WideText.h"

#include <windows.h>

namespace {

void CloseFind(std::intptr_t& hFind)
{
    if (hFind != -1)
        ::FindClose(reinterpret_cast<HANDLE>(hFind));
    hFind = -1;
}

}  // namespace

CFileFind::~CFileFind()
{
    CloseFind(m_hFind);
}

bool CFileFind::FindFile(const CString& strPath)
{
    CloseFind(m_hFind);
    WIN32_FIND_DATAW data;
    const HANDLE hFind = ::FindFirstFileW(SystemPathOf(strPath).c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    m_hFind = reinterpret_cast<std::intptr_t>(hFind);
    return true;
}
