// Under Wine: the time from the last keystroke to the first text in the
// results box and to the whole text, less the 200 ms typing pause, for the
// query with one result, one that just fills the box, and the two-letter
// ones with the largest results on the built-in list, and for a large list
// given.
// Usage: norvane_window_latency [LARGE_LIST_FILE]

#include "tests/wine/ProgramWindow.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Return twice: selects the query, then erases it.
void EraseQuery(const CProgramWindow& program)
{
    program.PressKey(program.Query(), VK_RETURN);
    program.PressKey(program.Query(), VK_RETURN);
    WaitFor([&] { return program.QueryText().empty(); }, 5000);
}

// Medians over a few rounds of typing the query and waiting for its results.
void Report(const char* pszList, const std::string& dataFile, const char* pszQuery)
{
    CProgramWindow program(dataFile);
    const std::size_t nLines = LineCount(ResultsFor(dataFile, pszQuery));
    std::vector<long> first;
    std::vector<long> whole;
    for (int nRound = 0; nRound < 5; ++nRound) {
        program.Type(pszQuery, 20);
        const DWORD dwLastKey = ::GetTickCount();
        WaitFor([&] { return !program.ResultsText().empty(); }, 60000);
        first.push_back(static_cast<long>(::GetTickCount() - dwLastKey) - 200);
        WaitFor([&] { return program.ResultsLineCount() >= nLines; }, 120000);
        whole.push_back(static_cast<long>(::GetTickCount() - dwLastKey) - 200);
        EraseQuery(program);
        ::Sleep(400);  // the next query arms anew
    }
    std::sort(first.begin(), first.end());
    std::sort(whole.begin(), whole.end());
    std::printf("%-8s %-5s first text %5ld ms, whole text %6ld ms beyond the pause (%zu lines)\n", pszList, pszQuery,
                first[2], whole[2], nLines);
}

}  // namespace

int main(int argc, char** argv)
{
    std::printf("program: %s\n", ProgramUnderTest().c_str());
    for (const char* pszQuery : {"jacs", "laser", "ch", "al"})
        Report("default", WithCrLf(DefaultJournalFile()), pszQuery);
    if (argc > 1)
        Report("large", ReadBytes(argv[1]), "ch");
    return 0;
}
