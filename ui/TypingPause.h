#pragma once

#include <cstdint>

// When typing runs the search. A change of the query more than kPauseTicks
// after the change before it arms the search; every change while armed
// starts the search timer anew, and the search runs once when it fires. A
// change that follows the one before more closely arms nothing by itself.
// The clock counts milliseconds from the start of the process, and the
// first change is measured from a reading of 0, so a change in the first
// kPauseTicks of the process arms nothing; the difference is taken
// unsigned, so the clock's wrap at 2^32 arms nothing that it should not.
// The search timer's id, on the main window.
constexpr std::uintptr_t SEARCH_TIMER_ID = 1;

class CTypingPause {
public:
    // The typing pause, in clock ticks and in timer milliseconds alike.
    static constexpr std::uint32_t kPauseTicks = 200;

    // A change of the query; readClock() is read before and after the
    // decision. True when the search timer is to be started (anew).
    template <class TClock>
    bool OnChange(TClock readClock)
    {
        if (readClock() - m_nLastChange > kPauseTicks)
            m_bPending = 1;
        m_nLastChange = readClock();
        return m_bPending != 0;
    }

    // The search timer fired: true when the search is due. Disarms either
    // way, so that a search that fails is reported once.
    bool OnTimer()
    {
        const bool bDue = m_bPending != 0;
        m_bPending = 0;
        return bDue;
    }

private:
    std::uint32_t m_nLastChange = 0;  // clock at the last change of the query
    std::uint8_t m_bPending = 0;      // a search is due when the timer fires
};
