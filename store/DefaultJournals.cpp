#include "store/DefaultJournals.h"

#include <cstring>

CString DefaultJournalText()
{
    std::size_t nLength = 0;
    for (std::size_t i = 0; i < g_nDefaultJournals; ++i)
        nLength += std::strlen(g_apszDefaultJournals[i]);
    CString strText;
    strText.Reserve(nLength);
    for (std::size_t i = 0; i < g_nDefaultJournals; ++i)
        strText += g_apszDefaultJournals[i];
    return strText;
}
