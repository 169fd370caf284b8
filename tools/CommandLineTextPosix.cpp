#include "tools/CommandLineText.h"

const unsigned kActiveCodePage = 0;
const unsigned kUtf8CodePage = 0;

std::vector<CString> Arguments(int argc, char** argv)
{
    return {argv + 1, argv + argc};
}

CQuery QueryOf(const CString& strArgument, unsigned)
{
    return {strArgument, [strArgument] { return CAnsiText{strArgument, false}; }};
}

bool IsInstalledCodePage(unsigned)
{
    return true;
}

bool Write(std::FILE* stream, const CString& strText, unsigned)
{
    return std::fwrite(strText.GetString(), 1, strText.GetLength(), stream) == strText.GetLength();
}
