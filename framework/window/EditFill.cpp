#include "framework/window/EditFill.h"

#include "framework/portable/BoxFullException.h"
#include "framework/portable/WideText.h"
#include "framework/window/Clock.h"

#include <new>
#include <utility>

void CEditFill::Start(CString strText, UINT nCodePage)
{
    m_bBoxOutOfMemory = false;
    m_nCodePage = nCodePage;
    const CFillPart first = m_schedule.Start(std::move(strText), MillisecondClock());
    // No limit of the box cuts what it is given: it takes text until it has
    // no memory left.
    if (m_schedule.IsFilling())
        m_edit.SetLimitText(0);
    Show(first);
}

DWORD CEditFill::OnIdle()
{
    const CFillPart part = m_schedule.Next(MillisecondClock());
    if (!part.IsEmpty())
        Show(part);
    const std::uint32_t nWaitMs = m_schedule.MsUntilDue(MillisecondClock());
    return nWaitMs == CFillSchedule::kNothingDue ? INFINITE : nWaitMs;
}

void CEditFill::Empty()
{
    const bool bHoldsText = m_schedule.ShownBytes() > 0;
    m_schedule.Stop();
    if (bHoldsText && !m_edit.SetText(L""))
        throw std::bad_alloc();
}

void CEditFill::Show(const CFillPart& part)
{
    // A part that fails leaves no text with a gap in it, nor one cut short.
    try {
        const std::wstring text = WideFromCodePage({m_schedule.PartText(part), part.nTo - part.nFrom}, m_nCodePage);
        const std::uint32_t nStart = MillisecondClock();
        // A text that comes in parts gives the box room for all of it with the
        // first: a box that grows with each part moves and copies all it holds
        // each time. A byte is at most one UTF-16 unit, in UTF-8 too.
        bool bShown;
        if (!part.IsFirst())
            bShown = m_edit.AppendText(text);
        else if (m_schedule.IsFilling())
            bShown = m_edit.SetLargeText(text, m_schedule.Length());
        else
            bShown = m_edit.SetText(text);
        if (!bShown || m_bBoxOutOfMemory)
            throw CBoxFullException();
        m_schedule.PartShown(part, MillisecondClock() - nStart);
    } catch (...) {
        Empty();
        throw;
    }
}
