#pragma once

#include <windows.h>

// Reports the exception being handled in a message box over hOwner, once;
// true when the program can go on (FailureReport.h). Only inside a catch
// block.
bool ReportCurrentException(HWND hOwner);
