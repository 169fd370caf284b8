#include "framework/window/SentMessages.h"

#include <windows.h>

void SleepAnsweringSentMessages(unsigned nMs)
{
    const DWORD dwStart = ::GetTickCount();
    for (DWORD dwPassed = 0; dwPassed < nMs; dwPassed = ::GetTickCount() - dwStart) {
        // Delivers what was sent before the wait; the wait wakes for what
        // is sent during it.
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        ::MsgWaitForMultipleObjectsEx(0, nullptr, nMs - dwPassed, QS_SENDMESSAGE, 0);
    }
}
