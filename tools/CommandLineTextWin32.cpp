#include "tools/CommandLineText.h"

#include "framework/portable/WideText.h"
#include "framework/portable/Wtf8.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

const unsigned kActiveCodePage = CP_ACP;
const unsigned kUtf8CodePage = CP_UTF8;

namespace {

HANDLE HandleOf(std::FILE* stream)
{
    return ::GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

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

}  // namespace

std::vector<CString> Arguments(int, char**)
{
    int nArgs = 0;
    LPWSTR* const pArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    std::vector<CString> args;
    for (int i = 1; pArgs && i < nArgs; ++i)
        args.push_back(Utf8FromWide(pArgs[i], std::wcslen(pArgs[i])));
    ::LocalFree(pArgs);
    return args;
}

CQuery QueryOf(const CString& strArgument, unsigned nCodePage)
{
    return {strArgument, [strArgument, nCodePage] {
                CAnsiText text;
                text.strBytes = CodePageFromWide(WideFromUtf8(strArgument), nCodePage, &text.bLacking);
                return text;
            }};
}

bool IsInstalledCodePage(unsigned nCodePage)
{
    return ::IsValidCodePage(nCodePage) != FALSE;
}

bool Write(std::FILE* stream, const CString& strText, unsigned nCodePage)
{
    DWORD dwMode = 0;
    if (::GetConsoleMode(HandleOf(stream), &dwMode)) {
        return std::fflush(stream) == 0 &&
               WriteToConsole(HandleOf(stream), WideFromCodePage({strText.GetString(), strText.GetLength()}, nCodePage));
    }
    if (stream == stdout)
        _setmode(_fileno(stdout), _O_BINARY);  // results byte for byte, CR LF as it is
    return std::fwrite(strText.GetString(), 1, strText.GetLength(), stream) == strText.GetLength();
}
