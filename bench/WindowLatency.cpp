// Under Wine: the time from the last keystroke to the first text in the
// results box and to the whole text, less the 200 ms typing pause, for the
// query with one result, one that just fills the box, and the two-letter
// ones with the largest results on the built-in list; then "ch" on each
// larger list given, with the longest the window left a message unanswered
// during the fill, and its peak memory (working set) when the first result
// is whole, above what it held before the query.
// Usage: norvane_window_latency ROUNDS [LIST_FILE...]

#include "tests/wine/ProgramWindow.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::size_t PeakWorkingSet(HANDLE hProcess)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(hProcess, &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

long Median(std::vector<long> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Medians over rounds of typing the query and waiting for its results.
void Report(int nRounds, const std::string& listName, const std::string& dataFile, const char* pszQuery)
{
    CProgramWindow program(dataFile);
    const std::string expected = CoreResultsFor(dataFile, pszQuery);
    const std::size_t nLines = LineCount(expected);
    const std::size_t nIdleBytes = PeakWorkingSet(program.Process());
    std::vector<long> first;
    std::vector<long> whole;
    DWORD dwLongestUnansweredMs = 0;
    std::size_t nPeakBytes = 0;
    bool bSameText = true;
    for (int nRound = 0; nRound < nRounds; ++nRound) {
        program.Type(pszQuery);
        const DWORD dwLastKey = ::GetTickCount();
        WaitFor([&] { return !program.ResultsText().empty(); }, 60000);
        first.push_back(static_cast<long>(::GetTickCount() - dwLastKey) - 200);
        // Each count asked is a message that waits for the window's next turn.
        WaitFor([&] {
            const DWORD dwAsked = ::GetTickCount();
            const bool bWhole = program.ResultsLineCount() >= nLines;
            dwLongestUnansweredMs = std::max(dwLongestUnansweredMs, ::GetTickCount() - dwAsked);
            return bWhole;
        }, 120000);
        whole.push_back(static_cast<long>(::GetTickCount() - dwLastKey) - 200);
        // Before the text is read back, which costs the window a copy.
        if (nRound == 0)
            nPeakBytes = PeakWorkingSet(program.Process());
        bSameText = bSameText && program.ResultsText() == expected;
        program.EraseQuery();
    }
    std::printf("%-8s %-5s first text %5ld ms, whole text %6ld ms beyond the pause (%zu lines, %zu bytes%s)\n",
                listName.c_str(), pszQuery, Median(first), Median(whole), nLines, expected.size(),
                bSameText ? "" : ", OTHER TEXT THAN THE CORE'S");
    if (expected.size() > 1000000) {
        const double dAboveIdle = static_cast<double>(nPeakBytes - nIdleBytes);
        std::printf("%-14s longest unanswered %5lu ms, peak memory %.1f MB above idle (%.2f times the result)\n", "",
                    dwLongestUnansweredMs, dAboveIdle / 1e6, dAboveIdle / static_cast<double>(expected.size()));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const int nRounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("program: %s\n", ProgramUnderTest().c_str());
    for (const char* pszQuery : {"jacs", "laser", "ch", "al"})
        Report(nRounds, "default", WithCrLf(DefaultJournalFile()), pszQuery);
    for (int i = 2; i < argc; ++i) {
        const std::string list = ReadBytes(argv[i]);
        Report(nRounds, std::to_string(list.size() / 1000000) + " MB", list, "ch");
    }
    return 0;
}
