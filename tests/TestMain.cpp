// The tests' main: GoogleTest's, and with --tally=FILE one more line in FILE,
// "PASSED FAILED", for run-tests.cmd, which adds up the programs' lines. On
// Windows the file is named in the wide command line: a user's temporary
// folder may have letters that the 8-bit one has lost.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#if defined(_WIN32)
#include <windows.h>

#include <shellapi.h>
#endif

int main(int argc, char** argv)
{
#if defined(_WIN32)
    int nArgs = 0;
    LPWSTR* pArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    const std::vector<std::filesystem::path> arguments(pArgs, pArgs + (pArgs ? nArgs : 0));
    ::LocalFree(pArgs);
#else
    const std::vector<std::filesystem::path> arguments(argv, argv + argc);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    const int nResult = RUN_ALL_TESTS();
    const auto tally = std::filesystem::path("--tally=").native();
    for (const std::filesystem::path& argument : arguments) {
        if (argument.native().rfind(tally, 0) == 0) {
            const ::testing::UnitTest& tests = *::testing::UnitTest::GetInstance();
            std::ofstream(std::filesystem::path(argument.native().substr(tally.size())), std::ios::app)
                << tests.successful_test_count() << ' ' << tests.failed_test_count() << '\n';
        }
    }
    return nResult;
}
