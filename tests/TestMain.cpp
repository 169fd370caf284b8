// The tests' main: GoogleTest's, and with --tally=FILE one more line in FILE,
// "PASSED FAILED", for run-tests.cmd, which adds up the programs' lines. The
// file is named in the wide command line on Windows: a user's temporary
// folder may have letters the 8-bit one has lost.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>

#include <shellapi.h>
#endif

namespace {

// The program's arguments as the system has them.
std::vector<std::filesystem::path> Arguments(int argc, char** argv)
{
    std::vector<std::filesystem::path> arguments;
#if defined(_WIN32)
    (void)argc;
    (void)argv;
    int nArgs = 0;
    if (LPWSTR* pArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs)) {
        arguments.assign(pArgs, pArgs + nArgs);
        ::LocalFree(pArgs);
    }
#else
    arguments.assign(argv, argv + argc);
#endif
    return arguments;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::filesystem::path> arguments = Arguments(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int nResult = RUN_ALL_TESTS();
    const std::filesystem::path::string_type tally = std::filesystem::path("--tally=").native();
    for (const std::filesystem::path& argument : arguments) {
        if (argument.native().rfind(tally, 0) == 0) {
            const ::testing::UnitTest& tests = *::testing::UnitTest::GetInstance();
            std::ofstream(std::filesystem::path(argument.native().substr(tally.size())), std::ios::app)
                << tests.successful_test_count() << ' ' << tests.failed_test_count() << '\n';
        }
    }
    return nResult;
}
