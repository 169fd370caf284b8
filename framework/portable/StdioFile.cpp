#include "framework/portable/StdioFile.h"

#include "framework/portable/LineEnds.h"

#include <cstring>
#include <string>

bool CStdioFile::ReadLines(const WholeLinesHandler& handleLines)
{
    m_buffer.Grow(m_nBlockSize);
    m_file.Seek(0);
    std::size_t nFilled = 0;  // bytes of a line begun in the block before
    for (bool bAtEnd = false; !bAtEnd;) {
        if (nFilled == m_buffer.Size())
            m_buffer.Grow(2 * m_buffer.Size());  // one line longer than the buffer
        const std::size_t nWanted = m_buffer.Size() - nFilled;
        const std::size_t nRead = m_file.Read(m_buffer.Data() + nFilled, nWanted);
        bAtEnd = nRead < nWanted;

        const char* const pchBegin = m_buffer.Data();
        const char* const pchEnd = pchBegin + nFilled + nRead;
        // At the end the last line goes too.
        const char* const pchWhole = bAtEnd ? pchEnd : WholeLinesEnd(pchBegin, pchEnd);
        nFilled = static_cast<std::size_t>(pchEnd - pchWhole);
        if (pchWhole > pchBegin) {
            if (!handleLines(pchBegin, pchWhole))
                return false;
            std::memmove(m_buffer.Data(), pchWhole, nFilled);
        }
    }
    return true;
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
