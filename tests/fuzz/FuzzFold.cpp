// Folding and matching against the literal rules: the input is a query and a
// run of lines, divided at the first 0xFF byte.

#include "search/Fold.h"
#include "tests/Reference.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string input(reinterpret_cast<const char*>(pData), nSize);
    const std::size_t nSplit = std::min(input.find('\xFF'), input.size());
    const std::string query = input.substr(0, nSplit);
    const std::string block = input.substr(std::min(nSplit + 1, input.size()));

    const CString folded = FoldQuery(CString(query.data(), query.size()));
    if (std::string(folded.GetString(), folded.GetLength()) != ReferenceFoldQuery(query))
        std::abort();

    // The block folds as its LF-separated lines one by one.
    std::string foldedBlock(block.size(), '\0');
    foldedBlock.resize(FoldLine(block.data(), block.size(), foldedBlock.data()));
    std::string expected;
    std::size_t nStart = 0;
    for (std::size_t nLf; (nLf = block.find('\n', nStart)) != std::string::npos; nStart = nLf + 1)
        expected += ReferenceFoldLine(block.substr(nStart, nLf - nStart)) + "\n";
    expected += ReferenceFoldLine(block.substr(nStart));
    if (foldedBlock != expected)
        std::abort();
    return 0;
}
