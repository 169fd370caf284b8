#include "search/ResultText.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

namespace {

// CR LF, 115 hyphens, CR LF.
const char kSeparator[] =
    "\r\n-------------------------------------------------------------------------------------------------------------------\r\n";

}  // namespace

void CResultText::AddLine(const char* pchLine, std::size_t nLength)
{
    // A NUL would end the text where the results box reads it: show a space.
    if (std::memchr(pchLine, '\0', nLength) != nullptr) {
        std::string line(pchLine, nLength);
        std::replace(line.begin(), line.end(), '\0', ' ');
        AddLine(line.data(), line.size());
        return;
    }
    m_nLastStart = m_strText.GetLength();
    const char* pch = pchLine;
    const char* const pchEnd = pchLine + nLength;
    for (;;) {
        const char* pchTab = static_cast<const char*>(std::memchr(pch, '\t', pchEnd - pch));
        if (pchTab == nullptr)
            break;
        m_strText.Append(pch, pchTab - pch);
        m_strText += "\r\n";
        pch = pchTab + 1;
    }
    m_strText.Append(pch, pchEnd - pch);
    m_strText += kSeparator;
    ++m_nJournals;
}

CString CResultText::Finish()
{
    // Three trims, as the separator is made: line breaks, hyphens, line
    // breaks. An entry of hyphens keeps them behind its own line break.
    m_strText.TrimRight("\r\n").TrimRight("-").TrimRight("\r\n");
    if (m_nJournals > 0 && m_strText.GetLength() <= m_nLastStart)
        --m_nJournals;
    m_strText.FreeExtra();
    return std::move(m_strText);
}
