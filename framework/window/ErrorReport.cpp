#include "framework/window/ErrorReport.h"

namespace {

const char kCaption[] = "Norvane";

}  // namespace

void ReportFileError(HWND hOwner, const CFileException& e)
{
    const CString strText = "Norvane could not use the file\r\n" + e.GetPath() + "\r\n\r\n" + e.GetCause() + ".";
    ::MessageBoxA(hOwner, strText.GetString(), kCaption, MB_OK | MB_ICONEXCLAMATION);
}

void ReportOutOfMemory(HWND hOwner)
{
    ::MessageBoxA(hOwner, "There is not enough memory for the results of this search.", kCaption,
                  MB_OK | MB_ICONEXCLAMATION);
}
