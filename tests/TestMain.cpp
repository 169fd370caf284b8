// The tests' main: GoogleTest's, and with --tally=FILE one more line in FILE,
// "PASSED FAILED", for run-tests.cmd, which adds up the programs' lines.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const int nResult = RUN_ALL_TESTS();
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--tally=", 8) == 0) {
            const ::testing::UnitTest& tests = *::testing::UnitTest::GetInstance();
            std::ofstream(argv[i] + 8, std::ios::app) << tests.successful_test_count() << ' '
                                                      << tests.failed_test_count() << '\n';
        }
    }
    return nResult;
}
