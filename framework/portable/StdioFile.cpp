#include "framework/portable/StdioFile.h"

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

}  // namespace

void CStdioFile::ReadLines(const ScanLines& scanLines)
{
    if (m_bMap && m_file.ScanMapped(scanLines))
        return;
    m_file.SeekToBegin();
    m_buffer.Grow(m_nBlockSize);
    std::size_t nFilled = 0;
    for (bool bAtEnd = false; !bAtEnd;) {
        if (nFilled == m_buffer.Size())
            m_buffer.Grow(2 * m_buffer.Size());  // one line longer than the buffer
        const std::size_t nSearchFrom = nFilled;
        const std::size_t nWanted = m_buffer.Size() - nFilled;
        const std::size_t nRead = m_file.Read(m_buffer.Data() + nFilled, nWanted);
        bAtEnd = nRead < nWanted;
        nFilled += nRead;

        const char* const pch = m_buffer.Data();
        std::size_t nWhole = nFilled;  // at the end, the last line too
        if (!bAtEnd) {
            const std::size_t nLastLf = FindLastLineFeed(pch + nSearchFrom, nFilled - nSearchFrom) + nSearchFrom;
            nWhole = nLastLf < nFilled ? nLastLf + 1 : 0;
        }
        if (nWhole > 0) {
            scanLines(pch, pch + nWhole);
            std::memmove(m_buffer.Data(), pch + nWhole, nFilled - nWhole);
            nFilled -= nWhole;
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
