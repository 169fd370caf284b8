#pragma once

#include "framework/portable/String.h"

#include <cstddef>
#include <cstdint>

// One part of a text to show: bytes [nFrom, nTo), whole lines. The first
// part of a text replaces what the box shows, with the view and the caret at
// the top; every later one is added at the end, and the view, the caret and
// any selection stay where the user left them.
struct CFillPart {
    std::size_t nFrom;
    std::size_t nTo;

    bool IsEmpty() const { return nFrom == nTo; }
    bool IsFirst() const { return nFrom == 0; }
};

// When each part of a long text goes into an edit box, decided apart from
// the box: the first screenful at once, standing alone for a moment, so
// that what the user does right after a search (the next key, a look at the
// text) is answered first; then a part each turn of the message loop.
class CFillSchedule {
public:
    // About ten lines of seventy characters: laid out and painted at once.
    static constexpr std::size_t kFirstBytes = 2 * 1024;
    // Laid out in about a fifth of a second by the slowest box seen (Wine's).
    static constexpr std::size_t kStepBytes = 256 * 1024;
    static constexpr std::uint32_t kFirstAloneMs = 100;
    static constexpr std::uint32_t kNothingDue = 0xFFFFFFFF;

    // A new text, shown from the clock reading nNow: its first part.
    CFillPart Start(CString strText, std::uint32_t nNow);
    // The part due at nNow; an empty one while the first stands alone, or
    // once the text is shown whole or stopped.
    CFillPart Next(std::uint32_t nNow);
    // Milliseconds from nNow until a part is due: 0 for at once, or
    // kNothingDue.
    std::uint32_t MsUntilDue(std::uint32_t nNow) const;
    void Stop();

    bool IsFilling() const { return m_nShown < m_strText.GetLength(); }
    const char* Text() const { return m_strText.GetString(); }

private:
    CFillPart PartFrom(std::size_t nFrom, std::size_t nSize);

    CString m_strText;
    std::size_t m_nShown = 0;
    std::uint32_t m_nStart = 0;
};
