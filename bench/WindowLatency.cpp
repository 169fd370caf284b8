// Under Wine: the time from the last keystroke to the results box showing
// its text, less the 200 ms typing pause, for a few queries and lists.
// Usage: norvane_window_latency [LARGE_LIST_FILE]

#include "tests/wine/ProgramWindow.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Median over a few rounds of typing the query and waiting for its results.
long MedianLatencyMs(CProgramWindow& program, const std::string& query)
{
    std::vector<long> rounds;
    for (int nRound = 0; nRound < 5; ++nRound) {
        program.Type(query, 20);
        const DWORD dwLastKey = ::GetTickCount();
        if (!WaitFor([&] { return !program.ResultsText().empty(); }, 60000))
            return -1;
        rounds.push_back(static_cast<long>(::GetTickCount() - dwLastKey) - 200);
        program.PressKey(program.Query(), VK_RETURN);
        program.PressKey(program.Query(), VK_RETURN);  // select, then erase
        WaitFor([&] { return program.QueryText().empty(); }, 5000);
        ::Sleep(400);  // the next query arms anew
    }
    std::sort(rounds.begin(), rounds.end());
    return rounds[rounds.size() / 2];
}

void Report(const char* pszList, const CProgramStart& start, const char* pszQuery)
{
    CProgramWindow program(start);
    const long nMs = MedianLatencyMs(program, pszQuery);
    std::printf("%-8s %-6s %6ld ms beyond the pause (%zu bytes shown)\n", pszList, pszQuery, nMs,
                program.ResultsText().size());
}

}  // namespace

int main(int argc, char** argv)
{
    Report("default", {}, "jacs");
    Report("default", {}, "ch");
    if (argc > 1 && std::string(argv[1]) != "--default-only")
        Report("large", {false, argv[1]}, "ch");
    return 0;
}
