// Data files a user's editor, a crash or a bad download may leave: each gives
// a result text or a clear file error, and the lines after a bad one are
// still found.

#include "framework/FileException.h"
#include "framework/StdioFile.h"
#include "search/SearchRun.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

const std::string kSeparator = "\r\n" + std::string(115, '-') + "\r\n";

std::string Shown(const std::string& fileBytes, const std::string& query)
{
    CTempDir dir;
    WriteBytes(dir.Path("Norvane.txt"), fileBytes);
    std::string shown = "(nothing)";
    RunSearch(dir.Dir().c_str(), CString(query.data(), query.size()),
              [&](const CString& text) { shown.assign(text.GetString(), text.GetLength()); });
    return shown;
}

}  // namespace

TEST(HostileData, ControlBytesAreOrdinaryText)
{
    // 0x1A ends no file here, and a NUL ends no line.
    EXPECT_EQ(Shown("ab\x1A" "cd\r\nxx\r\nab after\r\n", "ab"),
              std::string("ab\x1A" "cd", 5) + kSeparator + "ab after");
    EXPECT_EQ(Shown(std::string("\0\0ab\0\r\nab\r\n", 11), "ab"), "  ab " + kSeparator + "ab");
}

TEST(HostileData, CarriageReturnsAloneEndNoLine)
{
    EXPECT_EQ(Shown("ab\rcd\rab\r", "ab"), "ab\rcd\rab");  // the trim takes the last CR too
    EXPECT_EQ(Shown("x\rab\r\nab\n", "ab"), "x\rab" + kSeparator + "ab");
    EXPECT_EQ(Shown("ab\r\r\n", "ab"), "ab");
}

TEST(HostileData, HighBytesMatchThemselvesOnly)
{
    EXPECT_EQ(Shown("\xC4\xD6\xDC\tx\r\n\xE4\xF6\xFC\tx\r\n", "\xC4\xD6"), "\xC4\xD6\xDC\r\nx");
    EXPECT_EQ(Shown("\xC4\xD6\tx\r\n", "\xE4\xF6"), "No Results");
}

TEST(HostileData, RandomBytesGiveTheReferenceResults)
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes = "\n";  // no byte-order mark
    for (int i = 0; i < 1 << 20; ++i)
        bytes += static_cast<char>(byte(random));
    for (const char* query : {"ab", "\x80\x81", "e\r", "zz"})
        EXPECT_EQ(Shown(bytes, query), ReferenceResults(bytes, query)) << query;
}

TEST(HostileData, OneLineOfFiftyMegabytes)
{
    std::string line(50 << 20, 'x');
    line.replace(line.size() - 2, 2, "ab");
    EXPECT_EQ(Shown(line, "ab"), line);
    EXPECT_EQ(Shown(line, "ba"), "No Results");
}

TEST(HostileData, TenMillionEmptyLines)
{
    std::string bytes;
    for (int i = 0; i < 10000000; ++i)
        bytes += "\r\n";
    EXPECT_EQ(Shown(bytes + "last ab", "ab"), "last ab");
}

TEST(HostileData, ADanglingLinkIsAFileError)
{
    CTempDir dir;
    std::filesystem::create_symlink(dir.Path("nowhere"), dir.Path("Norvane.txt"));
    EXPECT_THROW(RunSearch(dir.Dir().c_str(), "jacs", [](const CString&) { FAIL() << "nothing to show"; }),
                 CFileException);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path("Norvane.txt")));
}

TEST(HostileData, AFileThatChangesWhileReadGivesWhatWasThere)
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
    {
        std::ofstream grow(strPath, std::ios::binary | std::ios::app);
        grow << "four";
    }
    std::string rest;
    while (file.ReadLines(pchBegin, pchEnd))
        rest.append(pchBegin, pchEnd);
    EXPECT_EQ(rest, "two\nthree\nfour\n");

    file.SeekToBegin();
    ASSERT_TRUE(file.ReadLines(pchBegin, pchEnd));
    std::filesystem::resize_file(strPath, 7);
    rest.clear();
    while (file.ReadLines(pchBegin, pchEnd))
        rest.append(pchBegin, pchEnd);
    // What was read before the cut stays; its CR has lost the LF it ended
    // with, and so is text.
    EXPECT_EQ(rest, "two\r\n");
}
