#include "framework/window/Clock.h"

#include <windows.h>

namespace {

const DWORD g_dwStartTick = ::GetTickCount();

}  // namespace

std::uint32_t MillisecondClock()
{
    return ::GetTickCount() - g_dwStartTick;
}
