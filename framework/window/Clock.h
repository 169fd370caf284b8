#pragma once

#include <cstdint>

// Milliseconds since the process started, wrapping at 2^32.
std::uint32_t MillisecondClock();
