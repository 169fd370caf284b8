#pragma once

#include <cstddef>
#include <string>

// Finds a fixed text of two or more bytes inside large blocks, comparing
// bytes exactly.
class CSubstringFinder {
public:
    explicit CSubstringFinder(std::string needle) : m_needle(std::move(needle)) {}

    // The first occurrence in [pchBegin, pchEnd), or nullptr.
    const char* Find(const char* pchBegin, const char* pchEnd) const;

private:
    std::string m_needle;
};
