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

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#if defined(_WIN32)
#include "framework/portable/WideText.h"
#include "framework/portable/Wtf8.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

namespace {

const char* const kUsage = "usage: norvane-search [--code-page N] DIR QUERY\n"
                           "       norvane-search [--code-page N] --queries FILE DIR\n";

#if defined(_WIN32)
constexpr unsigned kActiveCodePage = CP_ACP;
constexpr unsigned kUtf8 = CP_UTF8;

// From the wide command line: the 8-bit one has lost every letter outside
// the ANSI code page.
using CArgument = std::wstring;

std::vector<CArgument> Arguments(int, char**)
{
    int nArgs = 0;
    LPWSTR* const pArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    std::vector<CArgument> args;
    for (int i = 1; pArgs && i < nArgs; ++i)
        args.emplace_back(pArgs[i]);
    ::LocalFree(pArgs);
    return args;
}

// As the file layer takes a path, and as the search takes a query.
CString PathOf(const CArgument& arg) { return Utf8FromWide(arg.data(), arg.size()); }
CString TextOf(const CArgument& arg, unsigned nCodePage) { return CodePageFromWide(arg, nCodePage); }
bool IsInstalledCodePage(unsigned nCodePage) { return ::IsValidCodePage(nCodePage) != FALSE; }
#else
constexpr unsigned kActiveCodePage = 0;  // bytes, whatever they are
constexpr unsigned kUtf8 = 0;

using CArgument = std::string;

std::vector<CArgument> Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }
CString PathOf(const CArgument& arg) { return CString(arg.data(), arg.size()); }
CString TextOf(const CArgument& arg, unsigned) { return PathOf(arg); }
bool IsInstalledCodePage(unsigned) { return true; }
#endif

bool IsOption(const CArgument& arg, const char* pszOption)
{
    return std::equal(arg.begin(), arg.end(), pszOption, pszOption + std::strlen(pszOption));
}

// A code page the search reads, in decimal digits.
bool ReadCodePage(const CArgument& arg, unsigned& nCodePage)
{
    const auto IsDigit = [](auto ch) { return ch >= '0' && ch <= '9'; };
    if (arg.empty() || arg.size() > 5 || !std::all_of(arg.begin(), arg.end(), IsDigit))
        return false;
    nCodePage = 0;
    for (const auto ch : arg)
        nCodePage = 10 * nCodePage + static_cast<unsigned>(ch - '0');
    return IsAnsiCodePage(nCodePage) && IsInstalledCodePage(nCodePage);
}

// What the command line asks for: a search for a query, or for each line
// of a query file.
struct CRequest {
    unsigned nCodePage = kActiveCodePage;
    CString strDir;
    CString strQuery;
    bool bQueryFile = false;
    CString strQueryFile;
};

// Empty where the arguments make a request; else what is wrong with them.
CString ParseRequest(const std::vector<CArgument>& args, CRequest& request)
{
    std::size_t nFirst = 0;  // the first argument after the options
    if (!args.empty() && IsOption(args[0], "--code-page")) {
        if (args.size() == 1)
            return kUsage;
        if (!ReadCodePage(args[1], request.nCodePage))
            return "norvane-search: '" + PathOf(args[1]) + "' is no ANSI code page of Windows that this system has\n";
        nFirst = 2;
    }
    if (args.size() - nFirst == 3 && IsOption(args[nFirst], "--queries")) {
        request.bQueryFile = true;
        request.strQueryFile = PathOf(args[nFirst + 1]);
        request.strDir = PathOf(args[nFirst + 2]);
    } else if (args.size() - nFirst == 2) {
        request.strDir = PathOf(args[nFirst]);
        request.strQuery = TextOf(args[nFirst + 1], request.nCodePage);
    } else {
        return kUsage;
    }
    if (!request.strDir.EndsWith(kPathSeparator))
        request.strDir += kPathSeparator;
    return CString();
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

#if defined(_WIN32)
// In pieces that part no surrogate pair: Windows 7 takes at most some 64 KB
// in one write to a console, and each may take less than it is given.
bool WriteToConsole(HANDLE hConsole, const std::wstring& text)
{
    constexpr std::size_t kPieceUnits = 4096;
    for (std::size_t nFrom = 0; nFrom < text.size();) {
        const std::size_t nTo = Utf16PieceEnd(Utf16Of(text), nFrom, kPieceUnits);
        DWORD nWritten = 0;
        if (!::WriteConsoleW(hConsole, text.data() + nFrom, static_cast<DWORD>(nTo - nFrom), &nWritten, nullptr) ||
            nWritten == 0)
            return false;
        nFrom += nWritten;
    }
    return true;
}
#endif

// Text for a Windows console goes in as UTF-16, which it shows whatever its
// own code page; bytes for a file or a pipe go as they are. Results are in
// the search's code page, messages in UTF-8.
bool Write(std::FILE* stream, const CString& strText, unsigned nCodePage)
{
#if defined(_WIN32)
    const HANDLE hStream = ::GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD dwMode = 0;
    if (::GetConsoleMode(hStream, &dwMode)) {
        return std::fflush(stream) == 0 &&
               WriteToConsole(hStream, WideFromCodePage({strText.GetString(), strText.GetLength()}, nCodePage));
    }
#else
    (void)nCodePage;
#endif
    return std::fwrite(strText.GetString(), 1, strText.GetLength(), stream) == strText.GetLength();
}

}  // namespace

int main(int argc, char** argv)
{
    CRequest request;
    const CString strWrong = ParseRequest(Arguments(argc, argv), request);
    if (!strWrong.IsEmpty()) {
        Write(stderr, strWrong, kUtf8);
        return 2;
    }
#if defined(_WIN32)
    _setmode(_fileno(stdout), _O_BINARY);  // CR LF must pass unchanged
#endif
    const CLeadBytes leadBytes = request.nCodePage == kActiveCodePage ? ActiveCodePageLeadBytes()
                                                                       : LeadBytesOfCodePage(request.nCodePage);
    const auto Print = [&](const CString& strText) { return Write(stdout, strText, request.nCodePage); };
    bool bPrinted = true;
    try {
        CString strShown;
        if (!request.bQueryFile) {
            if (Search(request.strDir, request.strQuery, leadBytes, strShown))
                bPrinted = Print(strShown);
        } else {
            for (const CString& strQuery : ReadQueries(request.strQueryFile)) {
                bPrinted = bPrinted && Print("== " + strQuery + "\n") &&
                           (!Search(request.strDir, strQuery, leadBytes, strShown) || Print(strShown)) && Print("\n");
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
