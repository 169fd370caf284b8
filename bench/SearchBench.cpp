// In-process timing of the whole search run (open, byte-order-mark test,
// read, match, compose) on the built-in list, and the literal reference of
// the rules as a program of its own for bench/run:
//   norvane_bench [benchmark options]   the in-process timings
//   norvane_bench --reference FILE QUERY  prints what the rules show

#include "search/SearchRun.h"
#include "store/DataFile.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

void SearchDefaultList(benchmark::State& state, const char* pszQuery)
{
    static const CTempDir s_dir;
    static const bool s_bWritten = (ResetDataFile(s_dir.Dir().c_str()), true);
    std::size_t nShown = 0;
    for (auto _ : state) {
        RunSearch(s_dir.Dir().c_str(), pszQuery, [&](const CString& text, std::size_t) { nShown = text.GetLength(); });
        benchmark::DoNotOptimize(nShown);
    }
    state.counters["shown_bytes"] = static_cast<double>(nShown);
    benchmark::DoNotOptimize(s_bWritten);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--reference") {
        const std::string shown = CReferenceFile(ReadBytes(argv[2])).Results(argv[3]);
        std::fwrite(shown.data(), 1, shown.size(), stdout);
        return 0;
    }
    for (const char* pszQuery : {"zzqx", "tetrahedron", "j phys", "ch"}) {
        benchmark::RegisterBenchmark((std::string("default/") + pszQuery).c_str(), SearchDefaultList, pszQuery)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
