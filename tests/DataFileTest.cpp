#include "framework/portable/TempFile.h"
#include "store/DataFile.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

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
        second.File().WriteString("x");  // a write of one byte
        // Two names, each no longer than the data file's.
        EXPECT_EQ(ListFolder(dir.Dir()).size(), 2 * std::string("Norvane.txt").size() + 1) << ListFolder(dir.Dir());
        EXPECT_TRUE(second.Commit());
    }
    EXPECT_EQ(ListFolder(dir.Dir()), "Norvane.txt");
    EXPECT_EQ(ReadBytes(dir.Path("Norvane.txt")), "x");
}
