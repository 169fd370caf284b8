// The whole search run (open, byte-order-mark test, read, fold, match,
// compose) on the default list and on a generated list of a million lines,
// beside the literal reference of the rules and grep on the same file.

#include "search/SearchRun.h"
#include "store/DataFile.h"
#include "store/DefaultJournals.h"
#include "tests/Reference.h"
#include "tests/TestFiles.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// A folder holding one data file, removed at exit.
struct CBenchDir {
    std::string strDir;
    std::string strFile;
    long long nBytes;
};

std::vector<std::string> g_folders;  // removed at exit

std::string NewFolder()
{
    char szPattern[] = "/tmp/norvane-bench-XXXXXX";
    if (::mkdtemp(szPattern) == nullptr)
        std::abort();
    g_folders.push_back(std::string(szPattern) + "/");
    return g_folders.back();
}

long long SizeOf(const std::string& strPath)
{
    struct stat st;
    return ::stat(strPath.c_str(), &st) == 0 ? st.st_size : 0;
}

CBenchDir Describe(const std::string& strDir)
{
    return CBenchDir{strDir, strDir + "Norvane.txt", SizeOf(strDir + "Norvane.txt")};
}

const CBenchDir& DefaultList()
{
    static const CBenchDir s_dir = [] {
        const std::string strDir = NewFolder();
        ResetDataFile(strDir.c_str());
        return Describe(strDir);
    }();
    return s_dir;
}

// A million lines from the default list, each varied by a series number in
// the abbreviation, CR LF ends: about 65 MB.
const CBenchDir& LargeList()
{
    static const CBenchDir s_dir = [] {
        const std::string strDir = NewFolder();
        std::ofstream out(strDir + "Norvane.txt", std::ios::binary);
        std::string line;
        for (std::size_t i = 0; i < 1000000; ++i) {
            line = g_apszDefaultJournals[i % g_nDefaultJournals];
            line.pop_back();
            const std::size_t nTab = line.find('\t');
            const std::string strSeries = " " + std::to_string(i / g_nDefaultJournals);
            if (nTab != std::string::npos)
                line.insert(nTab, strSeries);
            line += "\r\n";
            out << line;
        }
        out.close();
        return Describe(strDir);
    }();
    return s_dir;
}

void SearchRun(benchmark::State& state, const CBenchDir& (*list)(), const char* pszQuery)
{
    const CBenchDir& dir = list();
    std::size_t nShown = 0;
    for (auto _ : state) {
        RunSearch(dir.strDir.c_str(), pszQuery, [&](const CString& text) { nShown = text.GetLength(); });
        benchmark::DoNotOptimize(nShown);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * dir.nBytes);
    state.counters["shown_bytes"] = static_cast<double>(nShown);
}

void Reference(benchmark::State& state, const CBenchDir& (*list)(), const char* pszQuery)
{
    const CBenchDir& dir = list();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReferenceResults(ReadBytes(dir.strFile), pszQuery));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * dir.nBytes);
}

void Grep(benchmark::State& state, const CBenchDir& (*list)(), const char* pszQuery)
{
    const CBenchDir& dir = list();
    const std::string strCommand = std::string("grep -c -F -i '") + pszQuery + "' " + dir.strFile + " >/dev/null";
    for (auto _ : state) {
        if (std::system(strCommand.c_str()) == -1)
            state.SkipWithError("grep did not run");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * dir.nBytes);
}

// Queries that match no line, about 1% and about half of the lines.
const char* const kQueries[][2] = {{"none", "zzqx"}, {"1pct", "j phys"}, {"half", "ur"}};

void RegisterAll()
{
    const struct {
        const char* pszName;
        const CBenchDir& (*list)();
    } lists[] = {{"default", DefaultList}, {"large", LargeList}};
    for (const auto& list : lists) {
        for (const auto& query : kQueries) {
            const std::string strCase = std::string(list.pszName) + "/" + query[0];
            // Wall time throughout: grep runs in a process of its own.
            benchmark::RegisterBenchmark(("search/" + strCase).c_str(), SearchRun, list.list, query[1])
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(("reference/" + strCase).c_str(), Reference, list.list, query[1])
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(("grep/" + strCase).c_str(), Grep, list.list, query[1])
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    // --large-list: only make the large list and print its folder, for the
    // memory measurement of bench/run (the folder is then the caller's).
    if (argc == 2 && std::string(argv[1]) == "--large-list") {
        std::printf("%s\n", LargeList().strDir.c_str());
        return 0;
    }
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const std::string& strDir : g_folders)
        std::system(("rm -rf " + strDir).c_str());
    return 0;
}
