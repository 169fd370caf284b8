#include "framework/portable/FileException.h"
#include "framework/portable/TempFile.h"
#include "store/DataFile.h"
#include "store/DefaultJournals.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#if !defined(_WIN32)
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

// The facts of the built-in list live here; every other test derives what it
// needs from the list itself.
TEST(DefaultJournals, AreTheCommittedListOfTheDesign)
{
    const CString text = DefaultJournalText();
    const std::string list = DefaultJournalFile();
    EXPECT_EQ(std::string(text.GetString(), text.GetLength()), list);
    EXPECT_EQ(g_nDefaultJournals, 4837u);
    EXPECT_EQ(WithCrLf(list).size(), 291086u);
    EXPECT_EQ(list.substr(list.size() - 33), "Zool. Anz.\tZoologischer Anzeiger\n");
}

TEST(ProgramDirectory, IsTheFolderOfTheExecutableWithItsSeparator)
{
    const std::string strDir = ProgramDirectory().GetString();
    ASSERT_FALSE(strDir.empty());
    EXPECT_EQ(strDir.back(), fs::path::preferred_separator);
    const fs::path test = fs::path(strDir) / "norvane_tests";
    EXPECT_TRUE(fs::is_regular_file(test) || fs::is_regular_file(test.string() + ".exe")) << strDir;
}

TEST(ResetDataFile, KeepsAFileThatAppearedMeanwhile)
{
    CTempDir dir;
    WriteBytes(dir.Path("Norvane.txt"), "Mine\tMy Own Journal\r\n");
    ResetDataFile(dir.Dir().c_str());
    EXPECT_EQ(ReadBytes(dir.Path("Norvane.txt")), "Mine\tMy Own Journal\r\n");
    EXPECT_EQ(ListFolder(dir.Dir()), "Norvane.txt");
}

#if !defined(_WIN32)
// Runs ResetDataFile in a child process whose files may not grow past
// nLimit bytes; returns whether it threw a file error.
bool ResetThrowsUnderSizeLimit(const std::string& strDir, rlim_t nLimit)
{
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{nLimit, nLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            ResetDataFile(strDir.c_str());
        } catch (const CFileException&) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

TEST(ResetDataFile, LeavesNoFileBehindWhenTheWriteFails)
{
    CTempDir dir;
    const rlim_t nFullSize = WithCrLf(DefaultJournalFile()).size();
    for (rlim_t nLimit : {rlim_t{0}, rlim_t{4096}, nFullSize - 1}) {
        EXPECT_TRUE(ResetThrowsUnderSizeLimit(dir.Dir(), nLimit)) << "limit " << nLimit;
        EXPECT_EQ(ListFolder(dir.Dir()), "") << "limit " << nLimit;
    }
    EXPECT_FALSE(ResetThrowsUnderSizeLimit(dir.Dir(), nFullSize));
    EXPECT_EQ(ListFolder(dir.Dir()), "Norvane.txt");
}
#endif

TEST(TempFile, TakesAFreeNameBesideTheTargetAndCleansUp)
{
    CTempDir dir;
    {
        CTempFile first(dir.Path("Norvane.txt").c_str());
        CTempFile second(dir.Path("Norvane.txt").c_str());  // steps over the name the first holds
        second.File().WriteString("new\n");
        // Two names, each no longer than the data file's.
        EXPECT_EQ(ListFolder(dir.Dir()).size(), 2 * std::string("Norvane.txt").size() + 1) << ListFolder(dir.Dir());
        EXPECT_TRUE(second.Commit());
    }
    EXPECT_EQ(ListFolder(dir.Dir()), "Norvane.txt");
    EXPECT_EQ(ReadBytes(dir.Path("Norvane.txt")), "new\r\n");
}
