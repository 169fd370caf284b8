#include "search/ResultText.h"

const char CResultText::kSeparator[] =
    "\r\n-------------------------------------------------------------------------------------------------------------------\r\n";

void CResultText::AddLine(const char* pchLine, std::size_t nLength)
{
    // A NUL would end the text where the results box reads it: show a space.
    std::size_t nRunStart = 0;
    for (std::size_t i = 0; i < nLength; ++i) {
        const char ch = pchLine[i];
        if (ch != '\t' && ch != '\0')
            continue;
        m_strText.Append(pchLine + nRunStart, i - nRunStart);
        m_strText += ch == '\t' ? "\r\n" : " ";
        nRunStart = i + 1;
    }
    m_strText.Append(pchLine + nRunStart, nLength - nRunStart);
    m_strText += kSeparator;
}

CString CResultText::Finish()
{
    // Three trims, as the separator is made: line breaks, hyphens, line
    // breaks. An entry of hyphens keeps them behind its own line break.
    m_strText.TrimRight("\r\n").TrimRight("-").TrimRight("\r\n");
    return m_strText;
}
