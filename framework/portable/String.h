#pragma once

#include <cstddef>
#include <string>

// The 8-bit text of the program: bytes in the system's ANSI code page, never
// wide. Only the operations the program uses.
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
    bool EndsWith(char ch) const { return !m_str.empty() && m_str.back() == ch; }

    friend CString operator+(CString a, const CString& b) { return a += b; }

private:
    explicit CString(std::string str) : m_str(std::move(str)) {}
    std::string m_str;
};
