#include "framework/portable/FileException.h"
#include "framework/portable/StdioFile.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

using Lines = std::vector<std::string>;

// Every line ReadLines delivers from the file's current position, without its LF.
Lines ReadAllLines(CStdioFile& file)
{
    Lines lines;
    const char* pchBegin;
    const char* pchEnd;
    while (file.ReadLines(pchBegin, pchEnd)) {
        EXPECT_EQ(pchEnd[-1], '\n');
        const std::string run(pchBegin, pchEnd);
        std::size_t nStart = 0;
        for (std::size_t nLf; (nLf = run.find('\n', nStart)) != std::string::npos; nStart = nLf + 1)
            lines.push_back(run.substr(nStart, nLf - nStart));
    }
    return lines;
}

Lines LinesOf(const std::string& bytes, std::size_t nBlockSize)
{
    CTempDir dir;
    WriteBytes(dir.Path("f"), bytes);
    CStdioFile file(nBlockSize);
    file.OpenRead(dir.Path("f").c_str());
    return ReadAllLines(file);
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
        for (std::size_t nBlock : {1, 3, 64})
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
        for (std::size_t nBlock : {1, 2, 7, 16, 1000})
            ASSERT_EQ(LinesOf(bytes, nBlock), ReferenceLines(bytes)) << "block size " << nBlock;
    }
}

TEST(ReadLines, StartsOverAfterARawReadAndSeek)
{
    CTempDir dir;
    WriteBytes(dir.Path("f"), "\xEF\xBBx\r\nsecond\r\n");
    CStdioFile file(4);
    file.OpenRead(dir.Path("f").c_str());
    char start[3];
    ASSERT_EQ(file.Read(start, 3), 3u);
    EXPECT_EQ(std::string(start, 3), "\xEF\xBBx");
    ReadAllLines(file);
    file.SeekToBegin();
    EXPECT_EQ(ReadAllLines(file), (Lines{"\xEF\xBBx", "second"}));
}

// Windows: no other program may open the file while it is read. Elsewhere
// nothing can refuse them, and a file that changes gives what was there.
TEST(ReadLines, AnOpenFileIsHeldOrGivesWhatWasThere)
{
    CTempDir dir;
    const std::string strPath = dir.Path("f");
    WriteBytes(strPath, "one\r\ntwo\r\nthree\r\n");
    CStdioFile file(4);
    file.OpenRead(strPath.c_str());
    const char* pchBegin;
    const char* pchEnd;
    ASSERT_TRUE(file.ReadLines(pchBegin, pchEnd));
    EXPECT_EQ(std::string(pchBegin, pchEnd), "one\n");
#if defined(_WIN32)
    EXPECT_FALSE(std::ifstream(strPath).is_open());
#else
    std::ofstream(strPath, std::ios::binary | std::ios::app) << "four";
    EXPECT_EQ(ReadAllLines(file), (Lines{"two", "three", "four"}));

    file.SeekToBegin();
    ASSERT_TRUE(file.ReadLines(pchBegin, pchEnd));
    std::filesystem::resize_file(strPath, 7);
    // What was read before the cut stays; its CR has lost the LF it ended
    // with, and so is text.
    EXPECT_EQ(ReadAllLines(file), (Lines{"two\r"}));
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
