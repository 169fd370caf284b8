// Prints the text of the results box of the running "Norvane Search" window,
// byte for byte, for the shell tests that type with real keystrokes.

#include "res/resource.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <vector>

int main()
{
    _setmode(_fileno(stdout), _O_BINARY);
    const HWND hDialog = ::FindWindowA(nullptr, "Norvane Search");
    if (hDialog == nullptr) {
        std::fprintf(stderr, "no Norvane Search window\n");
        return 1;
    }
    const HWND hResults = ::GetDlgItem(hDialog, IDC_RESULTS);
    std::vector<char> text(::SendMessageA(hResults, WM_GETTEXTLENGTH, 0, 0) + 1);
    const LRESULT nLength = ::SendMessageA(hResults, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    std::fwrite(text.data(), 1, nLength, stdout);
    return 0;
}
