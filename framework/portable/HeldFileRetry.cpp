#include "framework/portable/HeldFileRetry.h"

#include <utility>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

std::function<void(bool)>& WaitShown()
{
    static std::function<void(bool)> s_show;
    return s_show;
}

}  // namespace

void SetHeldFileWaitShown(std::function<void(bool bWaiting)> show)
{
    WaitShown() = std::move(show);
}

void ShowHeldFileWait(bool bWaiting)
{
    if (!WaitShown())
        return;
#if defined(_WIN32)
    const DWORD dwError = ::GetLastError();  // the attempt's, which its caller reads next
#endif
    WaitShown()(bWaiting);
#if defined(_WIN32)
    ::SetLastError(dwError);
#endif
}
