// The tests' main: GoogleTest's, and with --tally=FILE one more line in
// FILE, "PASSED FAILED", for run-tests.cmd, which adds up the programs'
// lines. FILE comes as the console driver takes its arguments: on Windows
// from the wide command line, which keeps every letter of a user's
// temporary folder.

#include "tests/TestFiles.h"
#include "tools/CommandLineText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const int nResult = RUN_ALL_TESTS();
    for (const CString& strArgument : Arguments(argc, argv)) {
        const std::string argument = strArgument.GetString();
        if (argument.rfind("--tally=", 0) == 0) {
            const ::testing::UnitTest& tests = *::testing::UnitTest::GetInstance();
            std::ofstream(PathOf(argument.substr(8)), std::ios::app)
                << tests.successful_test_count() << ' ' << tests.failed_test_count() << '\n';
        }
    }
    return nResult;
}
