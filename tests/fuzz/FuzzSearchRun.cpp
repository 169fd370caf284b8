// The whole search run against a reference composition of the results box:
// the input is a query and a data file, divided at the first 0xFF byte.

#include "search/SearchRun.h"
#include "tests/Reference.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string& Folder()
{
    static const std::string s_strDir = [] {
        const std::string strDir = "/tmp/norvane-fuzz-run-" + std::to_string(::getpid()) + "/";
        ::mkdir(strDir.c_str(), 0700);
        return strDir;
    }();
    return s_strDir;
}

std::string Expected(const std::string& fileBytes, const std::string& query)
{
    const bool bByteOrderMark = fileBytes.size() >= 2 && ((fileBytes[0] == '\xEF' && fileBytes[1] == '\xBB') ||
                                                          (fileBytes[0] == '\xFF' && fileBytes[1] == '\xFE'));
    if (ReferenceFoldQuery(query).size() < 2)
        return "(nothing)";
    if (bByteOrderMark)
        return "'Norvane.txt' is not an ANSI code file";
    return ReferenceResults(fileBytes, query);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string input(reinterpret_cast<const char*>(pData), nSize);
    const std::size_t nSplit = std::min(input.find('\xFF'), input.size());
    const std::string query = input.substr(0, nSplit);
    const std::string fileBytes = input.substr(std::min(nSplit + 1, input.size()));

    std::FILE* pFile = std::fopen((Folder() + "Norvane.txt").c_str(), "wb");
    std::fwrite(fileBytes.data(), 1, fileBytes.size(), pFile);
    std::fclose(pFile);

    std::string shown = "(nothing)";
    RunSearch(Folder().c_str(), CString(query.data(), query.size()),
              [&](const CString& text) { shown.assign(text.GetString(), text.GetLength()); });
    if (shown != Expected(fileBytes, query))
        std::abort();
    return 0;
}
