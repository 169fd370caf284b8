// norvane-search [--code-page N] DIR QUERY: one search run against DIR, as
// the program makes it, printing the text the results box then holds, byte
// for byte. Texts are in code page N, or else in the ANSI code page on
// Windows and single-byte elsewhere.
// norvane-search [--code-page N] --queries FILE DIR: a run for each line of
// FILE, each text after a line "== QUERY", for comparing builds in one
// process.

#include "framework/portable/FileException.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/LeadBytes.h"
#include "framework/portable/LineEnds.h"
#include "framework/portable/StdioFile.h"
#include "framework/portable/String.h"
#include "search/SearchRun.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <new>
#include <string>
#include <vector>

#if defined(_WIN32)
#include "framework/portable/WideText.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

namespace {

#if defined(_WIN32)
constexpr unsigned kActiveCodePage = CP_ACP;
constexpr unsigned kUtf8 = CP_UTF8;
#else
constexpr unsigned kActiveCodePage = 0;  // bytes, whatever they are
constexpr unsigned kUtf8 = 0;
#endif

// A path argument as the file layer takes it: on Windows from the wide
// command line, as the 8-bit one has lost every letter outside the ANSI
// code page.
CString PathArgument(char** argv, int nIndex)
{
#if defined(_WIN32)
    int nArgs = 0;
    LPWSTR* pArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    const CString strPath = pArgs && nIndex < nArgs ? Utf8FromWide(pArgs[nIndex], std::wcslen(pArgs[nIndex])) : argv[nIndex];
    ::LocalFree(pArgs);
    return strPath;
#else
    return argv[nIndex];
#endif
}

// Each line of the file, its end left off.
std::vector<CString> ReadQueries(const CString& strPath)
{
    std::vector<CString> queries;
    CStdioFile file;
    file.OpenRead(strPath);
    file.ReadLines([&](const char* pchBegin, const char* pchEnd) {
        ForEachLine(pchBegin, pchEnd,
                    [&](const char* pchLine, std::size_t nLength) { queries.emplace_back(pchLine, nLength); });
    });
    return queries;
}

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

// Text for a Windows console goes in as UTF-16, which it shows whatever its
// own code page; bytes for a file or a pipe go as they are. Results are in
// the search's code page, messages in UTF-8.
bool Write(std::FILE* stream, const CString& strText, unsigned nCodePage)
{
#if defined(_WIN32)
    const HANDLE hStream = ::GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD dwMode = 0;
    if (::GetConsoleMode(hStream, &dwMode)) {
        const std::wstring text = WideFromCodePage(strText, nCodePage);
        DWORD nWritten = 0;
        return std::fflush(stream) == 0 &&
               ::WriteConsoleW(hStream, text.data(), static_cast<DWORD>(text.size()), &nWritten, nullptr) != FALSE;
    }
#else
    (void)nCodePage;
#endif
    return std::fwrite(strText.GetString(), 1, strText.GetLength(), stream) == strText.GetLength();
}

}  // namespace

int main(int argc, char** argv)
{
    CLeadBytes leadBytes = ActiveCodePageLeadBytes();
    unsigned nCodePage = kActiveCodePage;
    int nFirst = 1;  // the first argument after the options
    if (argc > 2 && std::string(argv[1]) == "--code-page") {
        nCodePage = static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10));
        leadBytes = LeadBytesOfCodePage(nCodePage);
        nFirst = 3;
    }
    const auto Print = [&](const CString& strText) { return Write(stdout, strText, nCodePage); };
    const bool bQueryFile = argc - nFirst == 3 && std::string(argv[nFirst]) == "--queries";
    if (argc - nFirst != 2 && !bQueryFile) {
        Write(stderr, "usage: norvane-search [--code-page N] DIR QUERY\n"
                      "       norvane-search [--code-page N] --queries FILE DIR\n", kUtf8);
        return 2;
    }
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // CR LF must pass unchanged
#endif
    CString strDir = PathArgument(argv, bQueryFile ? nFirst + 2 : nFirst);
    if (!strDir.EndsWith(kPathSeparator))
        strDir += kPathSeparator;

    bool bPrinted = true;
    try {
        CString strShown;
        if (!bQueryFile) {
            if (Search(strDir, argv[nFirst + 1], leadBytes, strShown))
                bPrinted = Print(strShown);
        } else {
            for (const CString& strQuery : ReadQueries(PathArgument(argv, nFirst + 1))) {
                bPrinted = bPrinted && Print("== " + strQuery + "\n") &&
                           (!Search(strDir, strQuery, leadBytes, strShown) || Print(strShown)) && Print("\n");
            }
        }
    } catch (const CFileException& e) {
        Write(stderr, CString("norvane-search: ") + e.what() + "\n", kUtf8);
        return 1;
    } catch (const std::bad_alloc&) {
        Write(stderr, "norvane-search: not enough memory for the results\n", kUtf8);
        return 1;
    }
    return bPrinted && std::fflush(stdout) == 0 ? 0 : 1;
}
