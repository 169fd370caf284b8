// Under Wine: the time from the last keystroke to the first text in the
// results box and to the whole text, less the 200 ms typing pause, for a few
// queries (the two-letter ones with the largest results) and lists.
// Usage: norvane_window_latency [LARGE_LIST_FILE]

#include "tests/wine/ProgramWindow.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct CLatency {
    long nFirstMs;
    long nWholeMs;
};

// Medians over a few rounds of typing the query and waiting for its results.
CLatency MedianLatency(CProgramWindow& program, const std::string& query, std::size_t nWholeLength)
{
    std::vector<long> first;
    std::vector<long> whole;
    for (int nRound = 0; nRound < 5; ++nRound) {
        program.Type(query, 20);
        const DWORD dwLastKey = ::GetTickCount();
        if (program.MsUntilResults(60000) < 0)
            return {-1, -1};
        first.push_back(static_cast<long>(::GetTickCount() - dwLastKey) - 200);
        WaitFor([&] { return program.ResultsLength() >= nWholeLength; }, 120000);
        whole.push_back(static_cast<long>(::GetTickCount() - dwLastKey) - 200);
        program.EraseQuery();
        ::Sleep(400);  // the next query arms anew
    }
    std::sort(first.begin(), first.end());
    std::sort(whole.begin(), whole.end());
    return {first[first.size() / 2], whole[whole.size() / 2]};
}

void Report(const char* pszList, const CProgramStart& start, const char* pszQuery, std::size_t nWholeLength)
{
    CProgramWindow program(start);
    const CLatency latency = MedianLatency(program, pszQuery, nWholeLength);
    std::printf("%-8s %-6s first text %5ld ms, whole text %6ld ms beyond the pause (%zu bytes)\n", pszList, pszQuery,
                latency.nFirstMs, latency.nWholeMs, nWholeLength);
}

}  // namespace

int main(int argc, char** argv)
{
    std::printf("program: %s\n", ProgramUnderTest().c_str());
    for (const char* pszQuery : {"jacs", "ch", "al"})
        Report("default", {}, pszQuery, ExpectedResults(pszQuery).size());
    if (argc > 1)
        Report("large", {argv[1]}, "ch", ExpectedResults("ch", argv[1]).size());
    return 0;
}
