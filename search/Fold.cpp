#include "search/Fold.h"

#include <vector>

namespace {

// What folding does to each byte: its lower-case form, and whether it goes.
struct CFoldTable {
    unsigned char lower[256];
    unsigned char keep[256];
};

constexpr CFoldTable MakeFoldTable(bool bDropTab)
{
    CFoldTable table{};
    for (int c = 0; c < 256; ++c) {
        table.lower[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
        const bool bDrop = c == ' ' || c == '.' || c == ',' || c == ':' || c == '&' || (bDropTab && c == '\t');
        table.keep[c] = bDrop ? 0 : 1;
    }
    return table;
}

constexpr CFoldTable g_queryTable = MakeFoldTable(true);
constexpr CFoldTable g_lineTable = MakeFoldTable(false);

// "and" is removed before any character, so "a.nd" keeps its letters; and
// since "and" cannot overlap itself, one left-to-right pass finds exactly
// the occurrences that a replace-all would.
std::size_t Fold(const char* pchIn, std::size_t nLength, char* pchOut, const CFoldTable& table)
{
    const unsigned char* pIn = reinterpret_cast<const unsigned char*>(pchIn);
    std::size_t nOut = 0;
    std::size_t i = 0;
    while (i < nLength) {
        const unsigned char c = table.lower[pIn[i]];
        if (c == 'a' && i + 2 < nLength && table.lower[pIn[i + 1]] == 'n' && table.lower[pIn[i + 2]] == 'd') {
            i += 3;
            continue;
        }
        pchOut[nOut] = static_cast<char>(c);
        nOut += table.keep[pIn[i]];
        ++i;
    }
    return nOut;
}

}  // namespace

CString FoldQuery(const CString& strQuery)
{
    std::vector<char> folded(strQuery.GetLength() + 1);
    const std::size_t nLength = Fold(strQuery.GetString(), strQuery.GetLength(), folded.data(), g_queryTable);
    return CString(folded.data(), nLength);
}

std::size_t FoldLine(const char* pchLine, std::size_t nLength, char* pchOut)
{
    return Fold(pchLine, nLength, pchOut, g_lineTable);
}
