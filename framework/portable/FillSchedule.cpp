#include "framework/portable/FillSchedule.h"

#include "framework/portable/LineEnds.h"

#include <algorithm>
#include <utility>

CFillPart CFillSchedule::Start(CString strText, std::uint32_t nNow)
{
    m_strText = std::move(strText);
    m_nLength = m_strText.GetLength();
    m_nDropped = 0;
    m_nShown = 0;
    m_nStepBytes = kStepBytes;
    m_nStart = nNow;
    return PartFrom(0, kFirstBytes);
}

CFillPart CFillSchedule::Next(std::uint32_t nNow)
{
    if (MsUntilDue(nNow) != 0)
        return {m_nShown, m_nShown};
    // What is shown goes once it is as much as what is not: the copy of the
    // rest costs less than the part it comes before.
    if (m_nShown - m_nDropped >= m_nLength - m_nShown) {
        m_strText = m_strText.Mid(m_nShown - m_nDropped);
        m_nDropped = m_nShown;
    }
    return PartFrom(m_nShown, m_nStepBytes);
}

void CFillSchedule::PartShown(const CFillPart& part, std::uint32_t nMs)
{
    if (!IsFilling()) {
        m_strText = CString();
        return;
    }
    if (part.IsFirst())
        return;  // all fixed cost: it tells nothing of the rest
    // In proportion, which settles on the size that takes a turn whatever
    // part of the time is fixed; at most twice as large a step at a time,
    // as the box may slow down with what it holds.
    const std::size_t nLast = part.nTo - part.nFrom;
    const double dFits = static_cast<double>(nLast) * kTurnMs / std::max<std::uint32_t>(nMs, 1);
    const std::size_t nFits = static_cast<std::size_t>(dFits);
    m_nStepBytes = std::max(kLeastStepBytes, std::min(nFits, 2 * nLast));
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
    m_nLength = 0;
    m_nShown = 0;
}

// A part of at least nSize bytes, to the end of the line where that size
// falls, so that no CR LF pair is cut in two; or the rest of the text.
CFillPart CFillSchedule::PartFrom(std::size_t nFrom, std::size_t nSize)
{
    std::size_t nTo = m_nLength;
    if (m_nLength - nFrom > nSize) {
        const char* const pchHeld = m_strText.GetString();
        const char* const pchHeldEnd = pchHeld + m_strText.GetLength();
        const char* const pchTo = NextLineStart(pchHeld + (nFrom - m_nDropped) + nSize, pchHeldEnd);
        nTo = m_nDropped + static_cast<std::size_t>(pchTo - pchHeld);
    }
    m_nShown = nTo;
    return {nFrom, nTo};
}
