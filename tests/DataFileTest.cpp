#include "framework/portable/FileException.h"
#include "framework/portable/TempFile.h"
#include "store/DataFile.h"
#include "store/DefaultJournals.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>

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
    EXPECT_EQ(list.substr(0, 42), "A & A\tAstronomy and Astrophysics\nAAPG Bull");
    EXPECT_EQ(list.substr(list.size() - 33), "Zool. Anz.\tZoologischer Anzeiger\n");

    // Printable ASCII, one tab a journal line, in case-blind order (one pair
    // excepted), each letter's entries after its marker line ("B top").
    const std::string kSectionSizes = "A449 B249 C379 D38 E236 F134 G78 H46 I732 J954 K19 L61 M246 N151 O68 P321 Q33 "
                                      "R150 S193 T122 U12 V11 W48 X1 Z82";
    std::string sections;
    std::string previous;
    char chSection = 'A';
    int nInSection = 0;
    std::istringstream lines(list + "Z top\n");
    for (std::string line; std::getline(lines, line);) {
        if (line.size() == 5 && line.substr(1) == " top") {
            sections += std::string(sections.empty() ? "" : " ") + chSection + std::to_string(nInSection);
            chSection = line[0];
            nInSection = 0;
            continue;
        }
        ++nInSection;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 1) << line;
        EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char ch) { return ch == '\t' || (ch >= ' ' && ch <= '~'); }));
        EXPECT_EQ(std::toupper(static_cast<unsigned char>(line[0])), chSection) << line;
        std::string key = line;
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char ch) { return std::tolower(ch); });
        EXPECT_TRUE(key > previous || line.rfind("Makromol. Chem.\t", 0) == 0) << line;
        previous = key;
    }
    EXPECT_EQ(sections, kSectionSizes);
}

TEST(ProgramDirectory, IsTheFolderOfTheExecutableWithItsSeparator)
{
    const std::string strDir = ProgramDirectory().GetString();
    ASSERT_FALSE(strDir.empty());
    EXPECT_EQ(strDir.back(), fs::path::preferred_separator);
    const fs::path test = fs::path(strDir) / "norvane_tests";
    EXPECT_TRUE(fs::is_regular_file(test) || fs::is_regular_file(test.string() + ".exe")) << strDir;
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
#if !defined(_WIN32)
    fs::remove(dir.Path("Norvane.txt"));
    fs::create_symlink(dir.Path("nowhere"), dir.Path("Norvane.txt"));
    EXPECT_TRUE(DataFileExists(dir.Dir().c_str()));
    EXPECT_THROW(RunAndCollect(dir.Dir(), "jacs"), CFileException);  // a link that leads nowhere
    EXPECT_TRUE(fs::is_symlink(dir.Path("Norvane.txt")));
#endif
}

TEST(ResetDataFile, WritesTheDefaultListWithCrLfEnds)
{
    CTempDir dir;
    ResetDataFile(dir.Dir().c_str());
    EXPECT_EQ(ReadBytes(dir.Path("Norvane.txt")), WithCrLf(DefaultJournalFile()));
    EXPECT_EQ(ListFolder(dir.Dir()), "Norvane.txt");
}

TEST(ResetDataFile, KeepsAFileThatAppearedMeanwhile)
{
    CTempDir dir;
    WriteBytes(dir.Path("Norvane.txt"), "Mine\tMy Own Journal\r\n");
    ResetDataFile(dir.Dir().c_str());
    EXPECT_EQ(ReadBytes(dir.Path("Norvane.txt")), "Mine\tMy Own Journal\r\n");
    EXPECT_EQ(ListFolder(dir.Dir()), "Norvane.txt");
}

TEST(ResetDataFile, ThrowsAFileErrorForAFolderThatIsNotThere)
{
    CTempDir dir;
    EXPECT_THROW(ResetDataFile(dir.Path("gone/").c_str()), CFileException);
    EXPECT_EQ(ListFolder(dir.Dir()), "");
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
        first.File().WriteString("partial");
        second.File().WriteString("new\n");
        // Two names, each no longer than the data file's.
        EXPECT_EQ(ListFolder(dir.Dir()).size(), 2 * std::string("Norvane.txt").size() + 1) << ListFolder(dir.Dir());
        EXPECT_TRUE(second.Commit());
    }
    EXPECT_EQ(ListFolder(dir.Dir()), "Norvane.txt");
    EXPECT_EQ(ReadBytes(dir.Path("Norvane.txt")), "new\r\n");
}
