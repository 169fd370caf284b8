// The file layer where the search run cannot show it: a file that changes
// while it is read, and a map read in parts. Its line rules and its reads
// in blocks are compared with the literal rules through the whole search.

#include "framework/portable/FileException.h"
#include "framework/portable/StdioFile.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace {

// The bytes of every run ReadLines gives, read through a map (block size 0)
// or in blocks; afterFirstRun runs after the first. Only the last run may
// end inside a line.
std::string ReadAll(const std::string& strPath, std::size_t nBlockSize, const std::function<void()>& afterFirstRun)
{
    const auto pFile = nBlockSize == 0 ? std::make_unique<CStdioFile>() : std::make_unique<CStdioFile>(nBlockSize);
    pFile->OpenRead(strPath.c_str());
    std::string bytes;
    pFile->ReadLines([&](const char* pchBegin, const char* pchEnd) {
        const bool bFirst = bytes.empty();
        EXPECT_TRUE(bFirst || bytes.back() == '\n') << "a run ended inside a line";
        bytes.append(pchBegin, pchEnd);
        if (bFirst)
            afterFirstRun();
    });
    return bytes;
}

}  // namespace

// Windows: no other program may open the file while it is read. Elsewhere
// nothing can refuse them: a file that changes gives what was there, or,
// read through a map that loses its end, a file error.
TEST(ReadLines, AnOpenFileIsHeldOrGivesWhatWasThere)
{
    CTempDir dir;
    const std::string strPath = dir.Path("f");
    WriteBytes(strPath, "one\r\ntwo\r\nthree\r\n");
#if defined(_WIN32)
    CStdioFile file;
    file.OpenRead(strPath.c_str());
    EXPECT_FALSE(std::ifstream(strPath).is_open());
#else
    const auto grow = [&] { std::ofstream(strPath, std::ios::binary | std::ios::app) << "four"; };
    EXPECT_EQ(ReadAll(strPath, 4, grow), "one\r\ntwo\r\nthree\r\nfour");
    EXPECT_EQ(ReadAll(strPath, 0, grow), "one\r\ntwo\r\nthree\r\nfour");  // mapped before it grew
    WriteBytes(strPath, "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(ReadAll(strPath, 4, [&] { std::filesystem::resize_file(strPath, 7); }), "one\r\ntwo");

    for (int nTime = 0; nTime < 2; ++nTime) {  // a lost map leaves the guard ready for the next
        WriteBytes(strPath, std::string(1 << 20, 'x') + "\n");
        CStdioFile file;
        file.OpenRead(strPath.c_str());
        EXPECT_THROW(file.ReadLines([&](const char*, const char* pchEnd) {
            std::filesystem::resize_file(strPath, 0);
            std::printf("%c", pchEnd[-1]);  // a read of the lost end
        }),
                     CFileException);
    }
#endif
}

TEST(ReadLines, ReadsALargeMapInPartsOfWholeLines)
{
    // Lines across the parts' bounds, and one longer than a part.
    std::string large;
    for (int i = 0; large.size() < 17000000; ++i)
        large += "line " + std::to_string(i) + "\r\n";
    large += std::string(17000000, 'x') + "\r\nlast";
    CTempDir dir;
    WriteBytes(dir.Path("f"), large);
    EXPECT_TRUE(ReadAll(dir.Path("f"), 0, [] {}) == large);
}
