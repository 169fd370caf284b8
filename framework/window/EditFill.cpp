#include "framework/window/EditFill.h"

#include <cstring>
#include <utility>

namespace {

// Three screenfuls of the results box (ten lines of about seventy
// characters), small enough to be laid out and painted at once; then parts
// that the slowest edit box seen (Wine's) lays out in about a fifth of a
// second each.
constexpr std::size_t kFirstBytes = 2 * 1024;
constexpr std::size_t kStepBytes = 256 * 1024;

// Where a part from nFrom ends: after the first LF at or past the size, so
// that no CR LF pair is cut in two; or at the end of the text.
std::size_t PartEnd(const CString& strText, std::size_t nFrom, std::size_t nSize)
{
    const std::size_t nLength = strText.GetLength();
    if (nLength - nFrom <= nSize)
        return nLength;
    const char* const pch = strText.GetString();
    const void* pLf = std::memchr(pch + nFrom + nSize, '\n', nLength - nFrom - nSize);
    return pLf ? static_cast<std::size_t>(static_cast<const char*>(pLf) - pch) + 1 : nLength;
}

}  // namespace

bool CEditFill::Start(const CEdit& edit, CString strText)
{
    m_edit = edit;
    m_strText = std::move(strText);
    m_nShown = PartEnd(m_strText, 0, kFirstBytes);
    m_edit.SetWindowText(m_nShown == m_strText.GetLength() ? m_strText : m_strText.Left(m_nShown));
    return IsFilling();
}

bool CEditFill::Step()
{
    if (!IsFilling())
        return false;
    const std::size_t nEnd = PartEnd(m_strText, m_nShown, kStepBytes);
    m_edit.AppendText(CString(m_strText.GetString() + m_nShown, nEnd - m_nShown).GetString());
    m_nShown = nEnd;
    if (!IsFilling())
        Stop();
    return IsFilling();
}

void CEditFill::Stop()
{
    m_strText = CString();
    m_nShown = 0;
}
