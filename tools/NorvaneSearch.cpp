// norvane-search [--code-page N] DIR QUERY: one search run against DIR, as
// the program makes it, printing the text the results box then holds, byte
// for byte. Texts are in code page N, or else in the ANSI code page on
// Windows and single-byte elsewhere.
// norvane-search [--code-page N] --queries FILE DIR: a run for each line of
// FILE, each text after a line "== QUERY", for comparing builds in one
// process.

#include "framework/portable/FileException.h"
#include "framework/portable/LeadBytes.h"
#include "framework/portable/String.h"
#include "search/SearchRun.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

namespace {

// What the results box holds after the run; nothing if the run left it alone.
bool Search(const CString& strDir, const CString& strQuery, const CLeadBytes& leadBytes, CString& strShown)
{
    bool bShown = false;
    RunSearch(
        strDir, strQuery,
        [&](const CString& strText) {
            strShown = strText;  // the last text set is what the box shows
            bShown = true;
        },
        leadBytes);
    return bShown;
}

bool Print(const CString& strText)
{
    return std::fwrite(strText.GetString(), 1, strText.GetLength(), stdout) == strText.GetLength();
}

}  // namespace

int main(int argc, char** argv)
{
    CLeadBytes leadBytes = ActiveCodePageLeadBytes();
    if (argc > 2 && std::string(argv[1]) == "--code-page") {
        leadBytes = LeadBytesOfCodePage(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
        argc -= 2;
        argv += 2;
    }
    const bool bQueryFile = argc == 4 && std::string(argv[1]) == "--queries";
    if (argc != 3 && !bQueryFile) {
        std::fprintf(stderr, "usage: norvane-search [--code-page N] DIR QUERY\n"
                             "       norvane-search [--code-page N] --queries FILE DIR\n");
        return 2;
    }
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // CR LF must pass unchanged
#endif
    CString strDir(argv[bQueryFile ? 3 : 1]);
    if (!strDir.EndsWith(kSeparator))
        strDir += kSeparator;

    bool bPrinted = true;
    try {
        CString strShown;
        if (!bQueryFile) {
            if (Search(strDir, argv[2], leadBytes, strShown))
                bPrinted = Print(strShown);
        } else {
            std::ifstream queries(argv[2], std::ios::binary);
            for (std::string query; std::getline(queries, query);) {
                const CString strQuery(query.data(), query.size());
                bPrinted = bPrinted && Print("== " + strQuery + "\n") &&
                           (!Search(strDir, strQuery, leadBytes, strShown) || Print(strShown)) && Print("\n");
            }
        }
    } catch (const CFileException& e) {
        std::fprintf(stderr, "norvane-search: %s\n", e.what());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "norvane-search: not enough memory for the results\n");
        return 1;
    }
    return bPrinted && std::fflush(stdout) == 0 ? 0 : 1;
}
