#pragma once

#include <cstddef>
#include <cstring>

// The program's one rule of line ends, on every platform, for reading the
// data file and for cutting a text into parts: a line ends at LF; a CR right
// before that LF belongs to the end; the last line of a text may have none.
// Every other byte, a lone CR and 0x1A included, is text.

// True where the text of a line ends: at its LF, at the CR of its CR LF, or
// at the end of the run of lines [.., pchEnd).
inline bool IsLineEnd(const char* pch, const char* pchEnd)
{
    return pch == pchEnd || *pch == '\n' || (*pch == '\r' && pchEnd - pch >= 2 && pch[1] == '\n');
}

// True where a line starts: at the start of the run, or after an LF.
inline bool IsLineStart(const char* pchBegin, const char* pch)
{
    return pch == pchBegin || pch[-1] == '\n';
}

// The start of the line that holds pch.
inline const char* LineStart(const char* pchBegin, const char* pch)
{
    while (!IsLineStart(pchBegin, pch))
        --pch;
    return pch;
}

// The start of the line after the one that holds pch: past its LF, or
// pchEnd when that line is the last.
inline const char* NextLineStart(const char* pch, const char* pchEnd)
{
    const void* pLf = std::memchr(pch, '\n', static_cast<std::size_t>(pchEnd - pch));
    return pLf ? static_cast<const char*>(pLf) + 1 : pchEnd;
}

// Where the whole lines of [pchBegin, pchEnd) end: past the last LF, or
// pchBegin when the run holds none.
inline const char* WholeLinesEnd(const char* pchBegin, const char* pchEnd)
{
    for (const char* pch = pchEnd; pch > pchBegin; --pch) {
        if (pch[-1] == '\n')
            return pch;
    }
    return pchBegin;
}

// The length of a line's text, given its bytes up to and with its end.
inline std::size_t LineTextLength(const char* pchLine, std::size_t nBytes)
{
    if (nBytes == 0 || pchLine[nBytes - 1] != '\n')
        return nBytes;
    return nBytes - (nBytes >= 2 && pchLine[nBytes - 2] == '\r' ? 2 : 1);
}

// Calls addLine(pchLine, nLength) with the text of each line of
// [pchBegin, pchEnd), its end left off.
template <class TAddLine>
void ForEachLine(const char* pchBegin, const char* pchEnd, TAddLine addLine)
{
    for (const char* pch = pchBegin; pch < pchEnd;) {
        const char* const pchNext = NextLineStart(pch, pchEnd);
        addLine(pch, LineTextLength(pch, static_cast<std::size_t>(pchNext - pch)));
        pch = pchNext;
    }
}
