#include "framework/window/EditFill.h"

#include "framework/window/Clock.h"

#include <new>
#include <utility>

void CEditFill::Start(const CEdit& edit, CString strText)
{
    m_edit = edit;
    m_bBoxFull = false;
    Show(m_schedule.Start(std::move(strText), MillisecondClock()));
}

DWORD CEditFill::OnIdle()
{
    const std::uint32_t nNow = MillisecondClock();
    const CFillPart part = m_schedule.Next(nNow);
    if (!part.IsEmpty())
        Show(part);
    const std::uint32_t nWaitMs = m_schedule.MsUntilDue(nNow);
    return nWaitMs == CFillSchedule::kNothingDue ? INFINITE : nWaitMs;
}

void CEditFill::Show(const CFillPart& part)
{
    const CString strPart(m_schedule.Text() + part.nFrom, part.nTo - part.nFrom);
    bool bShown = true;
    if (part.IsFirst())
        bShown = m_edit.SetWindowText(strPart);
    else
        m_edit.AppendText(strPart);
    if (!bShown || m_bBoxFull) {
        Stop();
        m_edit.SetWindowText("");
        throw std::bad_alloc();
    }
}
