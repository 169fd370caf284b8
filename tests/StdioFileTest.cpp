#include "framework/FileException.h"
#include "framework/StdioFile.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

// Every line ReadLines delivers, without its LF.
std::vector<std::string> ReadAllLines(CStdioFile& file)
{
    std::vector<std::string> lines;
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

std::vector<std::string> LinesOf(const std::string& bytes, std::size_t nBlockSize)
{
    CTempDir dir;
    WriteBytes(dir.Path("f"), bytes);
    CStdioFile file(nBlockSize);
    file.OpenRead(dir.Path("f").c_str());
    return ReadAllLines(file);
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(ReadLines, EndsLinesAtCrLfOrLf)
{
    const struct {
        const char* name;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"CR LF", "ab\r\ncd\r\n", {"ab", "cd"}},
        {"LF only", "ab\ncd\n", {"ab", "cd"}},
        {"mixed", "ab\ncd\r\nef\n", {"ab", "cd", "ef"}},
        {"lone CR stays", "a\rb\r\n", {"a\rb"}},
        {"CR CR LF keeps one CR", "ab\r\r\n", {"ab\r"}},
        {"CR at the very end", "ab\r", {"ab\r"}},
        {"last line without LF", "ab\r\ncd", {"ab", "cd"}},
        {"empty lines", "\n\r\n\n", {"", "", ""}},
        {"empty file", "", {}},
        {"NUL and 0x1A pass", std::string("a\0b\x1A" "c\n", 6), {std::string("a\0b\x1A" "c", 5)}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinesOf(c.bytes, 64), c.lines) << c.name;
}

TEST(ReadLines, GivesTheSameLinesWhateverTheBlockSize)
{
    // Lines and CR LF pairs cut at every block boundary; a line longer than a
    // block grows the buffer.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(0, 5);
    const char alphabet[] = {'a', 'b', '\r', '\n', '\t', '\0'};
    for (int nText = 0; nText < 50; ++nText) {
        std::string bytes;
        for (int i = 0; i < 200; ++i)
            bytes += alphabet[pick(random)];
        const Lines expected = ReferenceLines(bytes);
        for (std::size_t nBlock : {1, 2, 3, 7, 16, 1000})
            ASSERT_EQ(LinesOf(bytes, nBlock), expected) << "block size " << nBlock;
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

TEST(WriteString, WritesEachLfAsCrLf)
{
    CTempDir dir;
    CStdioFile file;
    ASSERT_TRUE(file.CreateNew(dir.Path("f").c_str()));
    file.WriteString("a\tb\n\nc\rd\ne");
    file.Close();
    EXPECT_EQ(ReadBytes(dir.Path("f")), "a\tb\r\n\r\nc\rd\r\ne");
}

TEST(CreateNew, RefusesATakenName)
{
    CTempDir dir;
    WriteBytes(dir.Path("f"), "mine");
    CStdioFile file;
    EXPECT_FALSE(file.CreateNew(dir.Path("f").c_str()));
    EXPECT_EQ(ReadBytes(dir.Path("f")), "mine");
}

TEST(OpenRead, ThrowsAFileErrorNamingThePath)
{
    CTempDir dir;
    for (const char* name : {"missing", "folder"}) {
        if (std::string(name) == "folder")
            std::filesystem::create_directory(dir.Path(name));
        CStdioFile file;
        try {
            file.OpenRead(dir.Path(name).c_str());
            ADD_FAILURE() << name << " opened";
        } catch (const CFileException& e) {
            EXPECT_EQ(std::string(e.GetPath().GetString()), dir.Path(name));
            EXPECT_FALSE(e.GetCause().IsEmpty());
        }
    }
}
