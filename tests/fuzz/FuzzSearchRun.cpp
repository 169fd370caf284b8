// The search against the literal rules. Input: an options byte, a query
// part up to the first 0xFF byte, then the data file. The options pick the
// code page (bit 0: 932), the vector width (bits 1-2) and the blocks the
// file is read in (bits 3-7: 0 the default size, n blocks of n bytes,
// cutting lines everywhere). A query part starting 0x01 takes the query from the file
// itself: a piece of it, then a byte each for a change of case, a dropped
// character or an "and" put in, so that most inputs match.

#include "framework/portable/StdioFile.h"
#include "search/Fold.h"
#include "search/MatchScan.h"
#include "search/VectorLevel.h"
#include "tests/Reference.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string QueryFromFile(const std::string& recipe, const std::string& file)
{
    if (file.empty() || recipe.size() < 4)
        return recipe;
    const std::size_t nAt = (static_cast<unsigned char>(recipe[1]) * 256u + static_cast<unsigned char>(recipe[2])) % file.size();
    std::string query = file.substr(nAt, 2 + static_cast<unsigned char>(recipe[3]) % 14);
    for (std::size_t i = 4; i < recipe.size() && !query.empty(); ++i) {
        const unsigned char nChange = static_cast<unsigned char>(recipe[i]);
        const std::size_t nPlace = nChange % (query.size() + 1);
        static const char* const kInserts[] = {" ", ".", ",", ":", "&", "and", "AND", "\t"};
        if (nChange < 128 && nPlace < query.size())
            query[nPlace] ^= 0x20;  // a case change, or (harmlessly) another byte
        else
            query.insert(nPlace, kInserts[nChange % 8]);
    }
    return query;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize == 0)
        return 0;
    const unsigned nOptions = pData[0];
    const std::string input(reinterpret_cast<const char*>(pData + 1), nSize - 1);
    const std::size_t nSplit = std::min(input.find('\xFF'), input.size());
    const std::string fileBytes = input.substr(std::min(nSplit + 1, input.size()));
    const std::string recipe = input.substr(0, nSplit);
    const std::string query = !recipe.empty() && recipe[0] == '\x01' ? QueryFromFile(recipe, fileBytes) : recipe;
    const CLeadBytes leadBytes = LeadBytesOfCodePage(nOptions & 1 ? 932 : 1252);
    const CString strFolded = FoldQuery(CString(query.data(), query.size()), leadBytes);
    if (strFolded.GetLength() < kMinQueryLength)
        return 0;
    LimitVectorLevel(static_cast<VectorLevel>(nOptions >> 1 & 3));

    static const std::string s_strPath = "/tmp/norvane-fuzz-run-" + std::to_string(::getpid());
    std::FILE* pFile = std::fopen(s_strPath.c_str(), "wb");
    std::fwrite(fileBytes.data(), 1, fileBytes.size(), pFile);
    std::fclose(pFile);
    const std::size_t nBlockSize = nOptions >> 3;
    CStdioFile file(nBlockSize == 0 ? CStdioFile::kDefaultBlockSize : nBlockSize);
    file.OpenRead(s_strPath.c_str());
    const CString found = CollectMatches(file, strFolded, leadBytes).strText;
    if ((found.IsEmpty() ? "No Results" : std::string(found.GetString(), found.GetLength())) !=
        CReferenceFile(fileBytes, leadBytes).Results(query))
        std::abort();
    return 0;
}
