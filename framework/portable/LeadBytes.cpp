#include "framework/portable/LeadBytes.h"

#if defined(_WIN32)
#include <windows.h>
#endif

void CLeadBytes::Add(unsigned char chFirst, unsigned char chLast)
{
    for (unsigned ch = chFirst; ch <= chLast; ++ch)
        m_bits.set(ch);
}

CLeadBytes LeadBytesOfCodePage(unsigned nCodePage)
{
    CLeadBytes leadBytes;
    switch (nCodePage) {
    case 932:  // Shift JIS
        leadBytes.Add(0x81, 0x9F);
        leadBytes.Add(0xE0, 0xFC);
        break;
    case 936:  // GBK
    case 949:  // Unified Hangul
    case 950:  // Big5
        leadBytes.Add(0x81, 0xFE);
        break;
    }
    return leadBytes;
}

bool IsAnsiCodePage(unsigned nCodePage)
{
    // Thai, the four of two bytes a character, the Windows code pages of
    // Europe and the Middle East and Vietnam, and UTF-8, which Windows 10
    // may take as its ANSI code page.
    return nCodePage == 874 || LeadBytesOfCodePage(nCodePage).IsDoubleByte() ||
           (nCodePage >= 1250 && nCodePage <= 1258) || nCodePage == 65001;
}

unsigned ActiveCodePage()
{
#if defined(_WIN32)
    return ::GetACP();
#else
    return 0;
#endif
}

CLeadBytes ActiveCodePageLeadBytes()
{
    CLeadBytes leadBytes;
#if defined(_WIN32)
    CPINFO info;
    if (::GetCPInfo(CP_ACP, &info)) {
        for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
            leadBytes.Add(info.LeadByte[i], info.LeadByte[i + 1]);
    }
#endif
    return leadBytes;
}
