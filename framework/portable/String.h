#pragma once

#include <cstddef>
#include <string>

// The program's 8-bit text: a list and its results are in UTF-8 or in the
// ANSI code page, as the list is (search/SearchRun.h), the query in UTF-8;
// paths, and the reports that name them, are UTF-8 on Windows
// (FileSystem.h), so that any folder name survives. Wide text only where it
// crosses into the system. Only the operations the program uses.
class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz) {}
    CString(const char* pch, std::size_t nLength) : m_str(pch, nLength) {}

    std::size_t GetLength() const { return m_str.size(); }
    bool IsEmpty() const { return m_str.empty(); }
    const char* GetString() const { return m_str.c_str(); }
    char operator[](std::size_t nIndex) const { return m_str[nIndex]; }

    void Append(const char* pch, std::size_t nLength) { m_str.append(pch, nLength); }
    void Reserve(std::size_t nLength) { m_str.reserve(nLength); }
    CString& operator+=(const CString& str) { m_str += str.m_str; return *this; }
    CString& operator+=(const char* psz) { m_str += psz; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }

    // Removes the longest run at the end made of characters of pszSet.
    CString& TrimRight(const char* pszSet);
    CString Left(std::size_t nCount) const { return CString(m_str.substr(0, nCount)); }
    // From nFirst to the end, in a new string of just that size.
    CString Mid(std::size_t nFirst) const { return CString(m_str.substr(nFirst)); }
    // Gives back the room that growing left beyond the text.
    void FreeExtra() { m_str.shrink_to_fit(); }
    bool EndsWith(char ch) const { return !m_str.empty() && m_str.back() == ch; }

    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend bool operator==(const CString& a, const char* psz) { return a.m_str == psz; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }

private:
    explicit CString(std::string str) : m_str(std::move(str)) {}
    std::string m_str;
};
