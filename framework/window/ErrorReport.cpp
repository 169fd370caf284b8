#include "framework/window/ErrorReport.h"

#include "framework/portable/FailureReport.h"
#include "framework/portable/WideText.h"

bool ReportCurrentException(HWND hOwner)
{
    try {
        const CFailureReport report = DescribeCurrentException();
        // Paths are UTF-8 (FileSystem.h): shown through the wide call.
        ::MessageBoxW(hOwner, WideFromUtf8(report.strText).c_str(), L"Norvane",
                      MB_OK | (report.bCarryOn ? MB_ICONEXCLAMATION : MB_ICONERROR));
        return report.bCarryOn;
    } catch (...) {
        // Not even the text of the report could be made.
        ::MessageBoxW(hOwner, L"There is not enough memory to go on.", L"Norvane", MB_OK | MB_ICONERROR);
        return false;
    }
}
