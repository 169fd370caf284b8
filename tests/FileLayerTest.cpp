// The file layer where the search run cannot show it: blocks of whole lines,
// a file that this program or another one holds. Its line rules are compared
// with the literal ones through the whole search.

#include "framework/portable/HeldFileRetry.h"
#include "framework/portable/StdioFile.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// Another program's hold is waited out in small steps, about a second in
// all; no other failure is tried again.
TEST(RetryWhileHeld, WaitsOutAShortHoldOnly)
{
    using A = FileAttempt;
    const struct {
        const char* name;
        std::vector<A> outcomes;  // of the attempts in turn; the last repeats
        std::size_t nAttempts;
        A last;
    } cases[] = {
        {"done at once", {A::Done}, 1, A::Done},
        {"failed at once", {A::Failed}, 1, A::Failed},
        {"a short hold", {A::Held, A::Held, A::Held, A::Done}, 4, A::Done},
        {"held, then failed", {A::Held, A::Failed}, 2, A::Failed},
        {"a hold that lasts", {A::Held}, kHeldRetrySteps + 1, A::Held},
    };
    for (const auto& c : cases) {
        std::size_t nAttempts = 0;
        unsigned nSleptMs = 0;
        const A last = RetryWhileHeld([&] { return c.outcomes[std::min(nAttempts++, c.outcomes.size() - 1)]; },
                                      [&](unsigned nMs) { nSleptMs += nMs; });
        EXPECT_EQ(last, c.last) << c.name;
        EXPECT_EQ(nAttempts, c.nAttempts) << c.name;
        EXPECT_EQ(nSleptMs, (c.nAttempts - 1) * kHeldRetryStepMs) << c.name;
    }
}
