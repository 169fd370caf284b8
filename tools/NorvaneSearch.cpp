// norvane-search DIR QUERY: one search run against DIR, as the program makes
// it, printing the text the results box then holds, byte for byte.

#include "framework/FileException.h"
#include "framework/String.h"
#include "search/SearchRun.h"

#include <cstdio>
#include <new>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: norvane-search DIR QUERY\n");
        return 2;
    }
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // CR LF must pass unchanged
#endif
    CString strDir(argv[1]);
    if (!strDir.EndsWith(kSeparator))
        strDir += kSeparator;

    CString strShown;
    bool bShown = false;
    try {
        RunSearch(strDir, argv[2], [&](const CString& strText) {
            strShown = strText;  // the last text set is what the box shows
            bShown = true;
        });
    } catch (const CFileException& e) {
        std::fprintf(stderr, "norvane-search: %s\n", e.what());
        return 1;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "norvane-search: not enough memory for the results\n");
        return 1;
    }
    if (bShown && std::fwrite(strShown.GetString(), 1, strShown.GetLength(), stdout) != strShown.GetLength())
        return 1;
    return std::fflush(stdout) == 0 ? 0 : 1;
}
