#pragma once

#include "framework/portable/FileException.h"

#include <windows.h>

// Message boxes for the failures a handler lets go.
void ReportFileError(HWND hOwner, const CFileException& e);
void ReportOutOfMemory(HWND hOwner);
