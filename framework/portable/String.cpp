#include "framework/portable/String.h"

#include <cstring>

CString& CString::TrimRight(const char* pszSet)
{
    // Strings may hold NUL bytes; a NUL is never in the set.
    const std::size_t nKeep = m_str.find_last_not_of(pszSet, std::string::npos, std::strlen(pszSet));
    m_str.erase(nKeep == std::string::npos ? 0 : nKeep + 1);
    return *this;
}
