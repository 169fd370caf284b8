// In-process timing of the whole search run (open, byte-order-mark test,
// read, match, compose) on the built-in list, and for bench/run the literal
// reference of the rules as a program of its own, and the check that tells
// a UTF-8 list alone:
//   norvane_bench [benchmark options]       the in-process timings
//   norvane_bench --reference FILE QUERY    prints what the rules show (a list
//                                           not in UTF-8 read in Windows-1252)
//   norvane_bench --utf8-check FILE...      the check's time over each file

#include "framework/portable/Utf8.h"
#include "search/SearchRun.h"
#include "store/DataFile.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void SearchDefaultList(benchmark::State& state, const char* pszQuery)
{
    static const CTempDir s_dir;
    static const bool s_bWritten = (ResetDataFile(s_dir.Dir().c_str()), true);
    std::size_t nShown = 0;
    for (auto _ : state) {
        RunSearch(s_dir.Dir().c_str(), QueryOfBytes(pszQuery),
                  [&](const CString& text, std::size_t, TextCoding) { nShown = text.GetLength(); }, CListCoding::Ansi(1252));
        benchmark::DoNotOptimize(nShown);
    }
    state.counters["shown_bytes"] = static_cast<double>(nShown);
    benchmark::DoNotOptimize(s_bWritten);
}

// The median of 21 checks of the whole file, in memory, named by its folder.
void ReportUtf8Check(const std::string& path)
{
    const std::string bytes = ReadBytes(path.c_str());
    std::vector<double> seconds;
    Utf8Form form = Utf8Form::Ascii;
    for (int i = 0; i < 21; ++i) {
        const auto start = std::chrono::steady_clock::now();
        form = Utf8FormOf(bytes.data(), bytes.data() + bytes.size());
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    const double dSeconds = seconds[seconds.size() / 2];
    const std::string folder = path.substr(0, path.find_last_of('/'));
    const std::string name = folder.substr(folder.find_last_of('/') + 1);
    if (form == Utf8Form::NotUtf8) {
        // It stops at the first byte that is no UTF-8, so a rate would say nothing.
        std::printf("%-10s %6.1f MB  %6.3f ms  (not UTF-8: the check stops at its first byte that is none)\n",
                    name.c_str(), bytes.size() / 1e6, dSeconds * 1e3);
        return;
    }
    std::printf("%-10s %6.1f MB  %6.3f ms  %6.1f GB/s  (%s)\n", name.c_str(), bytes.size() / 1e6, dSeconds * 1e3,
                bytes.size() / dSeconds / 1e9, form == Utf8Form::Ascii ? "ASCII" : "UTF-8");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--reference") {
        const std::string shown = CReferenceFile(ReadBytes(argv[2]), CListCoding::Ansi(1252)).Results(argv[3]);
        std::fwrite(shown.data(), 1, shown.size(), stdout);
        return 0;
    }
    if (argc >= 3 && std::string(argv[1]) == "--utf8-check") {
        for (int i = 2; i < argc; ++i)
            ReportUtf8Check(argv[i]);
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
