#include "framework/window/EditFill.h"

#include "framework/window/Clock.h"

#include <new>
#include <stdexcept>
#include <utility>

void CEditFill::Start(CString strText)
{
    m_boxFull = BoxFull::No;
    const CFillPart first = m_schedule.Start(std::move(strText), MillisecondClock());
    if (m_schedule.IsFilling())
        m_edit.SetLimitText(0);
    Show(first);
}

DWORD CEditFill::OnIdle()
{
    const std::uint32_t nNow = MillisecondClock();
    const CFillPart part = m_schedule.Next(nNow);
    if (!part.IsEmpty())
        Show(part);
    const std::uint32_t nWaitMs = m_schedule.MsUntilDue(MillisecondClock());
    return nWaitMs == CFillSchedule::kNothingDue ? INFINITE : nWaitMs;
}

void CEditFill::Empty()
{
    const std::size_t nBoxBytes = m_schedule.ShownBytes();
    m_schedule.Stop();
    // A box holding much would copy it all to delete it.
    const bool bEmptied = nBoxBytes > CFillSchedule::kFirstBytes && m_edit.SetTextInNewBuffer("", 0);
    if (!bEmptied && nBoxBytes > 0)
        m_edit.SetWindowText("");
}

void CEditFill::Show(const CFillPart& part)
{
    const CString strPart(m_schedule.PartText(part), part.nTo - part.nFrom);
    const std::uint32_t nStart = MillisecondClock();
    bool bShown = true;
    if (part.IsFirst() && m_schedule.IsFilling()) {
        // Room for the whole text at once: a box that grows with each part
        // moves and copies all it holds each time. A byte is at most one
        // UTF-16 unit.
        bShown = m_edit.SetTextInNewBuffer(strPart, m_schedule.Length());
    } else if (part.IsFirst()) {
        bShown = m_edit.SetWindowText(strPart);
    } else {
        m_edit.AppendText(strPart);
    }
    if (!bShown || m_boxFull != BoxFull::No) {
        const BoxFull boxFull = m_boxFull;
        Empty();
        if (boxFull == BoxFull::AtLimit)
            throw std::length_error("the results box is at its limit");
        throw std::bad_alloc();
    }
    m_schedule.PartShown(part, MillisecondClock() - nStart);
}
