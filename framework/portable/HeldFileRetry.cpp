#include "framework/portable/HeldFileRetry.h"

#include <windows.h>

#include <utility>

namespace {

CHeldFileWait& Wait()
{
    static CHeldFileWait s_wait;
    return s_wait;
}

}  // namespace

void SetHeldFileWait(CHeldFileWait wait)
{
    Wait() = std::move(wait);
}

// A caption that could not be changed is no reason to lose the file the
// attempt opened, nor the error it left for its caller.
void ShowHeldFileWait(bool bWaiting) noexcept
{
    if (!Wait().show)
        return;
    const DWORD dwError = ::GetLastError();
    try {
        Wait().show(bWaiting);
    } catch (...) {
    }
    ::SetLastError(dwError);
}

void PassHeldFileWaitStep()
{
    if (Wait().pass)
        Wait().pass(kHeldRetryStepMs);
    else
        ::Sleep(kHeldRetryStepMs);
}
