// Folding against the literal rules: the first input byte picks the code
// page (single-byte, or 932 with its lead bytes), the rest is a text folded
// by both rules.

#include "search/Fold.h"
#include "tests/Reference.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize == 0)
        return 0;
    const CLeadBytes leadBytes = LeadBytesOfCodePage(pData[0] & 1 ? 932 : 1252);
    const std::string text(reinterpret_cast<const char*>(pData + 1), nSize - 1);

    const CString query = FoldQuery(CString(text.data(), text.size()), leadBytes);
    if (std::string(query.GetString(), query.GetLength()) != ReferenceFoldQuery(text, leadBytes))
        std::abort();
    std::string line(text.size(), '\0');
    line.resize(FoldLine(text.data(), text.size(), line.data(), leadBytes));
    if (line != ReferenceFoldLine(text, leadBytes))
        std::abort();
    return 0;
}
