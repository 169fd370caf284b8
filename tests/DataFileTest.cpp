#include "framework/FileException.h"
#include "framework/TempFile.h"
#include "store/DataFile.h"
#include "store/DefaultJournals.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string WithCrLf(const std::string& text)
{
    std::string result;
    for (char ch : text)
        result += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    return result;
}

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

}  // namespace

TEST(DefaultJournals, AreTheCommittedListLineByLine)
{
    ASSERT_EQ(g_nDefaultJournals, 4837u);
    for (std::size_t i = 0; i < g_nDefaultJournals; ++i) {
        const std::string line = g_apszDefaultJournals[i];
        ASSERT_TRUE(!line.empty() && line.find('\n') == line.size() - 1) << "line " << i;
    }
    const CString text = DefaultJournalText();
    EXPECT_EQ(std::string(text.GetString(), text.GetLength()), DefaultJournalFile());
    EXPECT_EQ(text.GetLength(), 286249u);
}

TEST(DataFilePath, AppendsTheFileNameToTheDirectory)
{
    EXPECT_STREQ(DataFilePath("C:\\Tools\\").GetString(), "C:\\Tools\\Norvane.txt");
    EXPECT_STREQ(DataFilePath("").GetString(), "Norvane.txt");
}

TEST(ProgramDirectory, IsTheFolderOfTheExecutableWithItsSeparator)
{
    const std::string strDir = ProgramDirectory().GetString();
    ASSERT_FALSE(strDir.empty());
    EXPECT_EQ(strDir.back(), '/');
    EXPECT_TRUE(fs::equivalent(strDir, fs::read_symlink("/proc/self/exe").parent_path()));
}

TEST(DataFileExists, CountsAnyEntryOfThatName)
{
    CTempDir dir;
    EXPECT_FALSE(DataFileExists(dir.Dir().c_str()));
    WriteBytes(dir.Path("Norvane.txt"), "");
    EXPECT_TRUE(DataFileExists(dir.Dir().c_str()));
    fs::remove(dir.Path("Norvane.txt"));
    fs::create_directory(dir.Path("Norvane.txt"));
    EXPECT_TRUE(DataFileExists(dir.Dir().c_str()));
    fs::remove(dir.Path("Norvane.txt"));
    fs::create_symlink(dir.Path("nowhere"), dir.Path("Norvane.txt"));
    EXPECT_TRUE(DataFileExists(dir.Dir().c_str()));
}

TEST(ResetDataFile, WritesTheDefaultListWithCrLfEnds)
{
    CTempDir dir;
    ResetDataFile(dir.Dir().c_str());
    const std::string bytes = ReadBytes(dir.Path("Norvane.txt"));
    EXPECT_EQ(bytes.size(), 291086u);
    EXPECT_EQ(bytes, WithCrLf(DefaultJournalFile()));
    EXPECT_EQ(bytes.substr(bytes.size() - 34), "Zool. Anz.\tZoologischer Anzeiger\r\n");
    EXPECT_EQ(ListFolder(dir.Dir()), "Norvane.txt");
}

TEST(ResetDataFile, KeepsAnEntryThatAppearedMeanwhile)
{
    CTempDir dir;
    WriteBytes(dir.Path("Norvane.txt"), "Mine\tMy Own Journal\r\n");
    ResetDataFile(dir.Dir().c_str());
    EXPECT_EQ(ReadBytes(dir.Path("Norvane.txt")), "Mine\tMy Own Journal\r\n");
    fs::remove(dir.Path("Norvane.txt"));
    fs::create_directory(dir.Path("Norvane.txt"));
    ResetDataFile(dir.Dir().c_str());
    EXPECT_TRUE(fs::is_directory(dir.Path("Norvane.txt")));
    EXPECT_EQ(ListFolder(dir.Dir()), "Norvane.txt");
}

TEST(ResetDataFile, LeavesNoFileBehindWhenTheWriteFails)
{
    CTempDir dir;
    for (rlim_t nLimit : {rlim_t{0}, rlim_t{4096}, rlim_t{291085}}) {
        EXPECT_TRUE(ResetThrowsUnderSizeLimit(dir.Dir(), nLimit)) << "limit " << nLimit;
        EXPECT_EQ(ListFolder(dir.Dir()), "") << "limit " << nLimit;
    }
    EXPECT_FALSE(ResetThrowsUnderSizeLimit(dir.Dir(), 291086));
    EXPECT_EQ(ReadBytes(dir.Path("Norvane.txt")).size(), 291086u);
}

TEST(ResetDataFile, ThrowsAFileErrorForAFolderThatIsNotThere)
{
    CTempDir dir;
    EXPECT_THROW(ResetDataFile(dir.Path("gone/").c_str()), CFileException);
    EXPECT_EQ(ListFolder(dir.Dir()), "");
}

TEST(TempFile, StepsOverANameLeftByAnEarlierProcess)
{
    CTempDir dir;
    const std::string strLeftover = dir.Path("t") + "." + std::to_string(getpid()) + "-0.tmp";
    WriteBytes(strLeftover, "old");
    {
        CTempFile file(dir.Path("t").c_str());
        file.File().WriteString("new\n");
        EXPECT_TRUE(file.Commit());
    }
    EXPECT_EQ(ReadBytes(dir.Path("t")), "new\r\n");
    EXPECT_EQ(ReadBytes(strLeftover), "old");
}

TEST(TempFile, IsRemovedWhenNotCommitted)
{
    CTempDir dir;
    {
        CTempFile file(dir.Path("t").c_str());
        file.File().WriteString("partial");
    }
    EXPECT_EQ(ListFolder(dir.Dir()), "");
}
