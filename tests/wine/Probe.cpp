// Reads the running "Norvane Search" window for the shell tests:
//   norvane_probe results   the text of the results box, byte for byte

#include "res/resource.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <vector>

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    const HWND hDialog = ::FindWindowA(nullptr, "Norvane Search");
    if (hDialog == nullptr || argc != 2 || std::strcmp(argv[1], "results") != 0) {
        std::fprintf(stderr, "no Norvane Search window, or not: norvane_probe results\n");
        return 1;
    }
    const HWND hResults = ::GetDlgItem(hDialog, IDC_RESULTS);
    std::vector<char> text(::SendMessageA(hResults, WM_GETTEXTLENGTH, 0, 0) + 1);
    const LRESULT nLength = ::SendMessageA(hResults, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    std::fwrite(text.data(), 1, nLength, stdout);
    return 0;
}
