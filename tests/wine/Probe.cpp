// Reads the running "Norvane Search" window for the shell tests:
//   norvane_probe results   the text of the results box, byte for byte
//   norvane_probe layout    "DPI WIDTH HEIGHT CLIPPED" of each box in pixels; CLIPPED is
//                           1 where a line of its text would not fit its height

#include "res/resource.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <fcntl.h>
#include <io.h>
#include <vector>

namespace {

void PrintLayout(HWND hDialog)
{
    const HDC hScreen = ::GetDC(nullptr);
    const int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    // The results show "JACS" over its title: the second line starts one line height lower.
    const HWND hResults = ::GetDlgItem(hDialog, IDC_RESULTS);
    const LRESULT nSecondLine = ::SendMessageA(hResults, EM_LINEINDEX, 1, 0);
    const int nLineHeight = HIWORD(::SendMessageA(hResults, EM_POSFROMCHAR, nSecondLine, 0)) -
                            HIWORD(::SendMessageA(hResults, EM_POSFROMCHAR, 0, 0));
    for (int nId : {IDC_QUERY, IDC_RESULTS}) {
        const HWND hBox = ::GetDlgItem(hDialog, nId);
        RECT window, client;
        ::GetWindowRect(hBox, &window);
        ::GetClientRect(hBox, &client);
        const int nTextBottom = HIWORD(::SendMessageA(hBox, EM_POSFROMCHAR, 0, 0)) + nLineHeight;
        std::printf("%d %ld %ld %d\n", nDpi, window.right - window.left, window.bottom - window.top,
                    nLineHeight <= 0 || nTextBottom > client.bottom);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    ::SetProcessDPIAware();  // pixels as they are on the screen
    _setmode(_fileno(stdout), _O_BINARY);
    const HWND hDialog = ::FindWindowA(nullptr, "Norvane Search");
    if (hDialog == nullptr || argc != 2) {
        std::fprintf(stderr, "no Norvane Search window, or no results|layout\n");
        return 1;
    }
    if (std::strcmp(argv[1], "layout") == 0) {
        PrintLayout(hDialog);
        return 0;
    }
    const HWND hResults = ::GetDlgItem(hDialog, IDC_RESULTS);
    std::vector<char> text(::SendMessageA(hResults, WM_GETTEXTLENGTH, 0, 0) + 1);
    const LRESULT nLength = ::SendMessageA(hResults, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    std::fwrite(text.data(), 1, nLength, stdout);
    return 0;
}
