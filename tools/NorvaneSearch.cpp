// norvane-search [--code-page N] DIR QUERY: one search run against DIR, as
// the program makes it, printing the text the results box then holds, byte
// for byte, in the list's coding: UTF-8, or code page N, or else the ANSI
// code page on Windows and bytes elsewhere. The query is UTF-8 on Windows,
// put into the code page as the program puts what its box shows; elsewhere
// its bytes are taken as they are.
// norvane-search [--code-page N] --queries FILE DIR: a run for each line of
// FILE (UTF-8), each text after a line "== QUERY", for comparing builds in
// one process.

#include "framework/portable/FileException.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/LineEnds.h"
#include "framework/portable/StdioFile.h"
#include "framework/portable/String.h"
#include "search/SearchRun.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "tools/CommandLineText.h"

namespace {

const char* const kUsage = "usage: norvane-search [--code-page N] DIR QUERY\n"
                           "       norvane-search [--code-page N] --queries FILE DIR\n";

// A code page the search reads, in decimal digits.
bool ReadCodePage(const CString& strArgument, unsigned& nCodePage)
{
    const char* const pszDigits = strArgument.GetString();
    const std::size_t nLength = strArgument.GetLength();
    const auto IsDigit = [](char ch) { return ch >= '0' && ch <= '9'; };
    if (nLength == 0 || nLength > 5 || !std::all_of(pszDigits, pszDigits + nLength, IsDigit))
        return false;
    nCodePage = static_cast<unsigned>(std::stoul(pszDigits));
    return IsAnsiCodePage(nCodePage) && IsInstalledCodePage(nCodePage);
}

// What the command line asks for: a search for a query, or for each line
// of a query file.
struct CRequest {
    unsigned nCodePage = kActiveCodePage;
    CString strDir;
    CString strQuery;  // UTF-8 on Windows, elsewhere bytes
    bool bQueryFile = false;
    CString strQueryFile;
};

// Empty where the arguments make a request; else what is wrong with them.
CString ParseRequest(const std::vector<CString>& args, CRequest& request)
{
    std::size_t nFirst = 0;  // the first argument after the options
    if (!args.empty() && args[0] == "--code-page") {
        if (args.size() == 1)
            return kUsage;
        if (!ReadCodePage(args[1], request.nCodePage))
            return "norvane-search: '" + args[1] + "' is no ANSI code page of Windows that this system has\n";
        nFirst = 2;
    }
    if (args.size() - nFirst == 3 && args[nFirst] == "--queries") {
        request.bQueryFile = true;
        request.strQueryFile = args[nFirst + 1];
        request.strDir = args[nFirst + 2];
    } else if (args.size() - nFirst == 2) {
        request.strDir = args[nFirst];
        request.strQuery = args[nFirst + 1];
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
        return true;
    });
    return queries;
}

// What the results box holds after the run, in what it is; nothing if the
// run left it alone.
bool Search(const CString& strDir, const CQuery& query, const CListCoding& ansi, CString& strShown,
            TextCoding& coding)
{
    bool bShown = false;
    RunSearch(
        strDir, query,
        [&](const CString& strText, std::size_t, TextCoding textCoding) {
            strShown = strText;  // the last text set is what the box shows
            coding = textCoding;
            bShown = true;
        },
        ansi);
    return bShown;
}

}  // namespace

int main(int argc, char** argv)
{
    CRequest request;
    const CString strWrong = ParseRequest(Arguments(argc, argv), request);
    if (!strWrong.IsEmpty()) {
        Write(stderr, strWrong, kUtf8CodePage);
        return 2;
    }
    const CListCoding ansi =
        request.nCodePage == kActiveCodePage ? CListCoding::ActiveAnsi() : CListCoding::Ansi(request.nCodePage);
    const auto Print = [&](const CString& strText, TextCoding coding) {
        return Write(stdout, strText, coding == TextCoding::Utf8 ? kUtf8CodePage : request.nCodePage);
    };
    bool bPrinted = true;
    try {
        CString strShown;
        TextCoding coding = TextCoding::Ansi;
        if (!request.bQueryFile) {
            if (Search(request.strDir, QueryOf(request.strQuery, request.nCodePage), ansi, strShown, coding))
                bPrinted = Print(strShown, coding);
        } else {
            for (const CString& strQuery : ReadQueries(request.strQueryFile)) {
                bPrinted = bPrinted && Print("== " + strQuery + "\n", TextCoding::Utf8) &&
                           (!Search(request.strDir, QueryOf(strQuery, request.nCodePage), ansi, strShown, coding) ||
                            Print(strShown, coding)) &&
                           Print("\n", TextCoding::Ansi);
            }
        }
    } catch (const CFileException& e) {
        Write(stderr, CString("norvane-search: ") + e.what() + "\n", kUtf8CodePage);
        return 1;
    } catch (const std::bad_alloc&) {
        Write(stderr, "norvane-search: not enough memory for the results\n", kUtf8CodePage);
        return 1;
    }
    return bPrinted && std::fflush(stdout) == 0 ? 0 : 1;
}
