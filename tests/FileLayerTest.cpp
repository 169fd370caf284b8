#include "framework/portable/FileException.h"
#include "framework/portable/StdioFile.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <fstream>
#include <random>

namespace {

using Lines = std::vector<std::string>;

// Every line of the file, as the runs of ReadLines give them: whole lines,
// each with its LF but the file's last one.
Lines ReadAllLines(CStdioFile& file, const std::function<void()>& afterFirstRun = [] {})
{
    Lines lines;
    bool bLastLineSeen = false;
    file.ReadLines([&](const char* pchBegin, const char* pchEnd) {
        EXPECT_FALSE(bLastLineSeen) << "a run after the line without LF";
        for (const char* pch = pchBegin; pch < pchEnd;) {
            const char* pchLf = std::find(pch, pchEnd, '\n');
            const char* pchNext = pchLf == pchEnd ? pchEnd : pchLf + 1;
            bLastLineSeen = pchLf == pchEnd;
            lines.emplace_back(pch, LineTextLength(pch, static_cast<std::size_t>(pchNext - pch)));
            pch = pchNext;
        }
        if (lines.size() == 1 || pchBegin == pchEnd)
            afterFirstRun();
    });
    return lines;
}

// The file read through a map (block size 0) or in blocks of that size.
std::unique_ptr<CStdioFile> OpenFile(const std::string& strPath, std::size_t nBlockSize)
{
    auto pFile = nBlockSize == 0 ? std::make_unique<CStdioFile>() : std::make_unique<CStdioFile>(nBlockSize);
    pFile->OpenRead(strPath.c_str());
    return pFile;
}

Lines LinesOf(const std::string& bytes, std::size_t nBlockSize)
{
    CTempDir dir;
    WriteBytes(dir.Path("f"), bytes);
    return ReadAllLines(*OpenFile(dir.Path("f"), nBlockSize));
}

}  // namespace

TEST(ReadLines, EndsLinesAtCrLfOrLfWhateverTheBlockSize)
{
    const struct {
        const char* name;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"CR LF", "ab\r\ncd\r\n", {"ab", "cd"}},
        {"mixed", "ab\ncd\r\nef\n", {"ab", "cd", "ef"}},
        {"lone CR stays", "a\rb\r\n", {"a\rb"}},
        {"CR CR LF keeps one CR", "ab\r\r\n", {"ab\r"}},
        {"CR at the very end", "ab\r", {"ab\r"}},
        {"last line without LF", "ab\r\ncd", {"ab", "cd"}},
        {"empty lines", "\n\r\n\n", {"", "", ""}},
        {"empty file", "", {}},
    };
    for (const auto& c : cases) {
        for (std::size_t nBlock : {0, 1, 3, 64})
            EXPECT_EQ(LinesOf(c.bytes, nBlock), c.lines) << c.name << ", block " << nBlock;
    }
    // Lines and CR LF pairs cut at every block boundary; lines longer than
    // a block grow the buffer.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(0, 5);
    const char alphabet[] = {'a', 'b', '\r', '\n', '\t', '\0'};
    for (int nText = 0; nText < 50; ++nText) {
        std::string bytes;
        for (int i = 0; i < 200; ++i)
            bytes += alphabet[pick(random)];
        for (std::size_t nBlock : {0, 1, 2, 7, 16, 1000})
            ASSERT_EQ(LinesOf(bytes, nBlock), ReferenceLines(bytes)) << "block size " << nBlock;
    }
    // A map is scanned in parts of a few megabytes: lines across their
    // bounds, and one longer than a part.
    std::string large;
    for (int i = 0; large.size() < 17000000; ++i)
        large += "line " + std::to_string(i) + "\r\n";
    large += std::string(17000000, 'x') + "\r\nlast";
    EXPECT_TRUE(LinesOf(large, 0) == ReferenceLines(large));
}

TEST(ReadLines, ReadsFromTheStartAfterARawRead)
{
    CTempDir dir;
    WriteBytes(dir.Path("f"), "\xEF\xBBx\r\nsecond\r\n");
    for (std::size_t nBlock : {0, 4}) {
        const auto pFile = OpenFile(dir.Path("f"), nBlock);
        char start[3];
        ASSERT_EQ(pFile->Read(start, 3), 3u);
        EXPECT_EQ(std::string(start, 3), "\xEF\xBBx");
        EXPECT_EQ(ReadAllLines(*pFile), (Lines{"\xEF\xBBx", "second"})) << "block " << nBlock;
    }
}

// Windows: no other program may open the file while it is read. Elsewhere
// nothing can refuse them: a file that changes gives what was there, or,
// read through a map that loses its end, a file error.
TEST(ReadLines, AnOpenFileIsHeldOrGivesWhatWasThere)
{
    CTempDir dir;
    const std::string strPath = dir.Path("f");
    WriteBytes(strPath, "one\r\ntwo\r\nthree\r\n");
#if defined(_WIN32)
    const auto pFile = OpenFile(strPath, 4);
    EXPECT_FALSE(std::ifstream(strPath).is_open());
#else
    const auto grow = [&] { std::ofstream(strPath, std::ios::binary | std::ios::app) << "four"; };
    EXPECT_EQ(ReadAllLines(*OpenFile(strPath, 4), grow), (Lines{"one", "two", "three", "four"}));
    EXPECT_EQ(ReadAllLines(*OpenFile(strPath, 0), grow), (Lines{"one", "two", "three", "four"}));  // mapped before

    const auto cut = [&] { std::filesystem::resize_file(strPath, 7); };
    WriteBytes(strPath, "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(ReadAllLines(*OpenFile(strPath, 4), cut), (Lines{"one", "two"}));  // what was read before the cut
    WriteBytes(strPath, std::string(1 << 20, 'x') + "\n");
    EXPECT_THROW(OpenFile(strPath, 0)->ReadLines([&](const char*, const char* pchEnd) {
        std::filesystem::resize_file(strPath, 0);
        std::printf("%c", pchEnd[-1]);  // a read of the lost end
    }),
                 CFileException);
#endif
}

TEST(WriteString, WritesEachLfAsCrLfToANewFileOnly)
{
    CTempDir dir;
    CStdioFile file;
    ASSERT_TRUE(file.CreateNew(dir.Path("f").c_str()));
    file.WriteString("a\tb\n\nc\rd\ne");
    file.Close();
    EXPECT_EQ(ReadBytes(dir.Path("f")), "a\tb\r\n\r\nc\rd\r\ne");
    CStdioFile again;
    EXPECT_FALSE(again.CreateNew(dir.Path("f").c_str()));
    EXPECT_EQ(ReadBytes(dir.Path("f")), "a\tb\r\n\r\nc\rd\r\ne");
}

TEST(OpenRead, ThrowsAFileErrorNamingThePath)
{
    CTempDir dir;
    CStdioFile file;
    try {
        file.OpenRead(dir.Path("missing").c_str());
        ADD_FAILURE() << "a missing file opened";
    } catch (const CFileException& e) {
        EXPECT_EQ(std::string(e.GetPath().GetString()), dir.Path("missing"));
        EXPECT_FALSE(e.GetCause().IsEmpty());
    }
}
