// The tests' main: GoogleTest's, and on Windows with --tally=FILE one more
// line in FILE, "PASSED FAILED", for run-tests.cmd, which adds up the
// programs' lines. FILE is read from the wide command line: a user's
// temporary folder may have letters that the 8-bit one has lost.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#if defined(_WIN32)
#include <windows.h>

#include <shellapi.h>
#endif

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const int nResult = RUN_ALL_TESTS();
#if defined(_WIN32)
    int nArgs = 0;
    LPWSTR* pArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    for (int i = 0; pArgs && i < nArgs; ++i) {
        const std::wstring argument = pArgs[i];
        if (argument.rfind(L"--tally=", 0) == 0) {
            const ::testing::UnitTest& tests = *::testing::UnitTest::GetInstance();
            std::ofstream(std::filesystem::path(argument.substr(8)), std::ios::app)
                << tests.successful_test_count() << ' ' << tests.failed_test_count() << '\n';
        }
    }
    ::LocalFree(pArgs);
#endif
    return nResult;
}
