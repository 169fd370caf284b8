#pragma once

#include "framework/portable/LeadBytes.h"
#include "search/CaseFold.h"

// How the search reads a list's bytes and folds their case: as UTF-8, a
// character at a time; or as text of an ANSI code page, a byte at a time,
// by the code page's table (CaseFold.h), but that a character of two bytes
// (a lead byte and the byte after it) passes whole.
class CListCoding {
public:
    static CListCoding Utf8() { return CListCoding(true, CLeadBytes(), CodePageFoldsOf(0)); }
    static CListCoding Ansi(unsigned nCodePage, const CLeadBytes& leadBytes)
    {
        return CListCoding(false, leadBytes, CodePageFoldsOf(nCodePage));
    }
    // With the lead bytes that LeadBytesOfCodePage gives it.
    static CListCoding Ansi(unsigned nCodePage) { return Ansi(nCodePage, LeadBytesOfCodePage(nCodePage)); }
    // The code page the program runs in.
    static CListCoding ActiveAnsi() { return Ansi(ActiveCodePage(), ActiveCodePageLeadBytes()); }

    bool IsUtf8() const { return m_bUtf8; }
    bool IsDoubleByte() const { return m_leadBytes.IsDoubleByte(); }
    bool IsLead(unsigned char ch) const { return m_leadBytes.IsLead(ch); }
    // A byte that stands for a character by itself, folded.
    unsigned char FoldByte(unsigned char ch) const { return (*m_pFolds)[ch]; }

private:
    CListCoding(bool bUtf8, const CLeadBytes& leadBytes, const CodePageFolds& folds)
        : m_bUtf8(bUtf8), m_leadBytes(leadBytes), m_pFolds(&folds)
    {
    }

    bool m_bUtf8;
    CLeadBytes m_leadBytes;
    const CodePageFolds* m_pFolds;
};
