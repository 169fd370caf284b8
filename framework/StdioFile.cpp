#include "framework/StdioFile.h"

#include <cstring>
#include <string>

namespace {

// Position of the last LF in [pch, pch + n), or n.
std::size_t FindLastLineFeed(const char* pch, std::size_t n)
{
    for (std::size_t i = n; i > 0; --i) {
        if (pch[i - 1] == '\n')
            return i - 1;
    }
    return n;
}

// Drops every CR that stands right before an LF; returns the new length.
std::size_t DropCarriageReturns(char* pch, std::size_t n)
{
    char* pchOut = static_cast<char*>(std::memchr(pch, '\r', n));
    if (pchOut == nullptr)
        return n;
    const char* pchIn = pchOut;
    const char* const pchEnd = pch + n;
    while (pchIn < pchEnd) {
        const char* pchCr = static_cast<const char*>(std::memchr(pchIn + 1, '\r', pchEnd - pchIn - 1));
        const char* pchStop = pchCr ? pchCr : pchEnd;
        // pchIn is at a CR: it goes unless an LF follows.
        if (pchIn + 1 < pchEnd && pchIn[1] == '\n')
            ++pchIn;
        const std::size_t nRun = pchStop - pchIn;
        std::memmove(pchOut, pchIn, nRun);
        pchOut += nRun;
        pchIn = pchStop;
    }
    return pchOut - pch;
}

}  // namespace

void CStdioFile::SeekToBegin()
{
    m_file.SeekToBegin();
    m_nKeepFrom = m_nKeepTo = 0;
    m_bAtEnd = false;
}

bool CStdioFile::ReadLines(const char*& pchBegin, const char*& pchEnd)
{
    // Bring the unfinished line to the front; an extra byte leaves room for
    // the LF a last line may need.
    std::size_t nFilled = m_nKeepTo - m_nKeepFrom;
    if (m_buffer.size() < m_nBlockSize + 1)
        m_buffer.resize(m_nBlockSize + 1);
    std::memmove(m_buffer.data(), m_buffer.data() + m_nKeepFrom, nFilled);
    m_nKeepFrom = m_nKeepTo = 0;

    for (;;) {
        std::size_t nSearchFrom = nFilled;
        if (!m_bAtEnd) {
            if (nFilled + 1 == m_buffer.size())
                m_buffer.resize(2 * m_buffer.size());  // one line longer than the buffer
            const std::size_t nWanted = m_buffer.size() - 1 - nFilled;
            const std::size_t nRead = m_file.Read(m_buffer.data() + nFilled, nWanted);
            m_bAtEnd = nRead < nWanted;
            nFilled += nRead;
        }
        char* const pch = m_buffer.data();
        const std::size_t nLastLf = FindLastLineFeed(pch + nSearchFrom, nFilled - nSearchFrom) + nSearchFrom;
        if (nLastLf < nFilled) {
            m_nKeepFrom = nLastLf + 1;
            m_nKeepTo = nFilled;
            pchBegin = pch;
            pchEnd = pch + DropCarriageReturns(pch, nLastLf + 1);
            return true;
        }
        if (m_bAtEnd) {
            if (nFilled == 0)
                return false;
            pch[nFilled] = '\n';
            pchBegin = pch;
            pchEnd = pch + nFilled + 1;
            return true;
        }
    }
}

void CStdioFile::WriteString(const CString& strText)
{
    std::string text;
    text.reserve(strText.GetLength() + strText.GetLength() / 16);
    for (std::size_t i = 0; i < strText.GetLength(); ++i) {
        if (strText[i] == '\n')
            text += '\r';
        text += strText[i];
    }
    m_file.Write(text.data(), text.size());
}
