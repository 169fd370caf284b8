// The file layer where the search run cannot show it: blocks of whole lines,
// a file that this program or another one holds. Its line rules are compared
// with the literal ones through the whole search.

#include "framework/portable/HeldFileRetry.h"
#include "framework/portable/StdioFile.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

// The bytes of every block ReadLines gives. Only the last block may end
// inside a line.
std::string ReadInBlocks(const std::string& strPath, std::size_t nBlockSize)
{
    CStdioFile file(nBlockSize);
    file.OpenRead(strPath.c_str());
    std::string bytes;
    file.ReadLines([&](const char* pchBegin, const char* pchEnd) {
        EXPECT_TRUE(bytes.empty() || bytes.back() == '\n') << "a block ended inside a line";
        EXPECT_LT(pchBegin, pchEnd) << "an empty block";
        bytes.append(pchBegin, pchEnd);
    });
    return bytes;
}

}  // namespace

TEST(ReadLines, GivesBlocksOfWholeLinesWhateverTheirSize)
{
    CTempDir dir;
    const std::string text = "one\r\ntwo\nlone\rCR\r\n\r\n" + std::string(70000, 'x') + "\r\nlast";
    WriteBytes(dir.Path("f"), text);
    for (std::size_t nBlockSize : {1, 3, 4096, 65536, 1 << 20})
        EXPECT_EQ(ReadInBlocks(dir.Path("f"), nBlockSize), text) << "blocks of " << nBlockSize;
}

#if defined(_WIN32)
// No other program may open the file while it is read.
TEST(ReadLines, HoldsTheFileForItselfOnWindows)
{
    CTempDir dir;
    WriteBytes(dir.Path("f"), "one\r\n");
    CStdioFile file;
    file.OpenRead(dir.Path("f").c_str());
    EXPECT_FALSE(std::ifstream(PathOf(dir.Path("f"))).is_open());
}
#endif

// Another program (a virus scanner, a backup client) holds a file that just
// changed for a moment: a hold shorter than a second is waited out, a
// longer one given up after about a second, and no other failure is tried
// again.
TEST(RetryWhileHeld, WaitsOutAShortHoldOnly)
{
    using A = FileAttempt;
    const struct {
        const char* name;
        unsigned nHeldMs;  // held until then; then the outcome
        A then;
        A last;
        unsigned nLeastMs;  // waited in all
        unsigned nMostMs;
    } cases[] = {
        {"done at once", 0, A::Done, A::Done, 0, 0},
        {"failed at once", 0, A::Failed, A::Failed, 0, 0},
        {"a hold of a moment", 120, A::Done, A::Done, 120, 300},
        {"a hold of most of a second", 900, A::Done, A::Done, 900, 1100},
        {"held, then failed", 300, A::Failed, A::Failed, 300, 500},
        {"a hold that lasts", 60000, A::Done, A::Held, 900, 1500},
    };
    for (const auto& c : cases) {
        unsigned nWaitedMs = 0;
        const A last = RetryWhileHeld([&] { return nWaitedMs < c.nHeldMs ? A::Held : c.then; },
                                      [&](unsigned nMs) { nWaitedMs += nMs; });
        EXPECT_EQ(last, c.last) << c.name;
        EXPECT_GE(nWaitedMs, c.nLeastMs) << c.name;
        EXPECT_LE(nWaitedMs, c.nMostMs) << c.name;
    }
}
