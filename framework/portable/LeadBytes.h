#pragma once

#include <bitset>

// The lead bytes of a double-byte ANSI code page (Japanese, Chinese,
// Korean): a lead byte and the byte after it make one character, and that
// trail byte may look like a letter. None in a single-byte code page.
class CLeadBytes {
public:
    bool IsLead(unsigned char ch) const { return m_bits[ch]; }
    bool IsDoubleByte() const { return m_bits.any(); }
    void Add(unsigned char chFirst, unsigned char chLast);

private:
    std::bitset<256> m_bits;
};

// Those of a code page by number: 932, 936, 949 and 950 have lead bytes,
// any other none.
CLeadBytes LeadBytesOfCodePage(unsigned nCodePage);

// A code page that Windows has as an ANSI code page, the only kind the
// search reads: ASCII is itself there, and no byte of a character of two
// is taken for another character but in the four above.
bool IsAnsiCodePage(unsigned nCodePage);

// The code page the program runs in: the ANSI code page on Windows; 0
// elsewhere, bytes whatever they are.
unsigned ActiveCodePage();
// Its lead bytes, as the system has them; none elsewhere.
CLeadBytes ActiveCodePageLeadBytes();
