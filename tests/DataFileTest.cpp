#include "framework/portable/TempFile.h"
#include "store/DataFile.h"
#include "store/DefaultJournals.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    EXPECT_TRUE(fs::is_regular_file(PathOf(strDir + "norvane_tests")) ||
                fs::is_regular_file(PathOf(strDir + "norvane_tests.exe")))
        << strDir;
}

TEST(ResetDataFile, KeepsAFileThatAppearedMeanwhile)
{
    CTempDir dir;
    WriteBytes(dir.Path("Norvane.txt"), "Mine\tMy Own Journal\r\n");
    ResetDataFile(dir.Dir().c_str());
    EXPECT_EQ(ReadBytes(dir.Path("Norvane.txt")), "Mine\tMy Own Journal\r\n");
    EXPECT_EQ(ListFolder(dir.Dir()), "Norvane.txt");
}

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
