// The text-mode line reader against the reference reader, with a block size
// taken from the first input byte so that lines and CR LF pairs are cut at
// every boundary.

#include "framework/portable/StdioFile.h"
#include "tests/Reference.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize == 0)
        return 0;
    const std::size_t nBlock = 1 + pData[0] % 64;
    const std::string bytes(reinterpret_cast<const char*>(pData + 1), nSize - 1);

    static const std::string s_strPath = "/tmp/norvane-fuzz-lines-" + std::to_string(::getpid());
    std::FILE* pFile = std::fopen(s_strPath.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), pFile);
    std::fclose(pFile);

    CStdioFile file(nBlock);
    file.OpenRead(s_strPath.c_str());
    std::vector<std::string> lines;
    const char* pchBegin;
    const char* pchEnd;
    while (file.ReadLines(pchBegin, pchEnd)) {
        std::string run(pchBegin, pchEnd);
        if (run.empty() || run.back() != '\n')
            std::abort();
        std::size_t nStart = 0;
        for (std::size_t nLf; (nLf = run.find('\n', nStart)) != std::string::npos; nStart = nLf + 1)
            lines.push_back(run.substr(nStart, nLf - nStart));
    }
    if (lines != ReferenceLines(bytes))
        std::abort();
    return 0;
}
