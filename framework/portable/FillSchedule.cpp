#include "framework/portable/FillSchedule.h"

#include "framework/portable/LineEnds.h"

#include <utility>

CFillPart CFillSchedule::Start(CString strText, std::uint32_t nNow)
{
    m_strText = std::move(strText);
    m_nShown = 0;
    m_nStart = nNow;
    return PartFrom(0, kFirstBytes);
}

CFillPart CFillSchedule::Next(std::uint32_t nNow)
{
    if (MsUntilDue(nNow) != 0)
        return {m_nShown, m_nShown};
    return PartFrom(m_nShown, kStepBytes);
}

std::uint32_t CFillSchedule::MsUntilDue(std::uint32_t nNow) const
{
    if (!IsFilling())
        return kNothingDue;
    const std::uint32_t nAlone = nNow - m_nStart;  // the clock may wrap meanwhile
    return nAlone < kFirstAloneMs ? kFirstAloneMs - nAlone : 0;
}

void CFillSchedule::Stop()
{
    m_strText = CString();
    m_nShown = 0;
}

// A part of at least nSize bytes, to the end of the line where that size
// falls, so that no CR LF pair is cut in two; or the rest of the text.
CFillPart CFillSchedule::PartFrom(std::size_t nFrom, std::size_t nSize)
{
    const char* const pchText = m_strText.GetString();
    const char* const pchEnd = pchText + m_strText.GetLength();
    const std::size_t nTo = m_strText.GetLength() - nFrom <= nSize
                                ? m_strText.GetLength()
                                : static_cast<std::size_t>(NextLineStart(pchText + nFrom + nSize, pchEnd) - pchText);
    m_nShown = nTo;
    return {nFrom, nTo};
}
