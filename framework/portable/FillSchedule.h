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
// text) is answered first; then a part each turn of the message loop, each
// sized from how long the box took for the one before, so that a turn takes
// about kTurnMs: a box's every part costs a fixed time besides its bytes
// (Wine's redraws its scroll bars a dozen times), so parts as large as a
// turn allows bring the whole text soonest. The text is held once: moved in,
// let go of as it is shown, and gone when it is whole.
class CFillSchedule {
public:
    // About ten lines of seventy characters: laid out and painted at once.
    static constexpr std::size_t kFirstBytes = 2 * 1024;
    // The first later part, before any is measured: about a tenth of a second.
    static constexpr std::size_t kStepBytes = 256 * 1024;
    static constexpr std::size_t kLeastStepBytes = 16 * 1024;
    static constexpr std::uint32_t kFirstAloneMs = 100;
    // How long the window may be busy with a part before it answers again.
    static constexpr std::uint32_t kTurnMs = 250;
    static constexpr std::uint32_t kNothingDue = 0xFFFFFFFF;

    // A new text, shown from the clock reading nNow: its first part.
    CFillPart Start(CString strText, std::uint32_t nNow);
    // The part due at nNow; an empty one while the first stands alone, or
    // once the text is shown whole or stopped.
    CFillPart Next(std::uint32_t nNow);
    // The bytes of the part just given, valid until the next call.
    const char* PartText(const CFillPart& part) const { return m_strText.GetString() + (part.nFrom - m_nDropped); }
    // The box took nMs for the part just given: sizes the next one, or lets
    // the text go once it is whole.
    void PartShown(const CFillPart& part, std::uint32_t nMs);
    // Milliseconds from nNow until a part is due: 0 for at once, or
    // kNothingDue.
    std::uint32_t MsUntilDue(std::uint32_t nNow) const;
    void Stop();

    bool IsFilling() const { return m_nShown < m_nLength; }
    // Of the text given so far, in bytes: what the box holds, until Stop.
    std::size_t ShownBytes() const { return m_nShown; }
    // Of the whole text, in bytes.
    std::size_t Length() const { return m_nLength; }
    // The bytes of the text still held: at most what is not shown yet, and
    // as much again.
    std::size_t HeldBytes() const { return m_strText.GetLength(); }

private:
    CFillPart PartFrom(std::size_t nFrom, std::size_t nSize);

    CString m_strText;          // the text from m_nDropped on
    std::size_t m_nLength = 0;  // of the whole text
    std::size_t m_nDropped = 0;
    std::size_t m_nShown = 0;
    std::size_t m_nStepBytes = kStepBytes;
    std::uint32_t m_nStart = 0;
};
