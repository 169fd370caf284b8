#pragma once

#include "framework/portable/String.h"

#include <windows.h>

// A string of the program's string table; empty when there is none.
CString LoadResourceString(UINT nID);
// An icon of the program's resources at the system's large icon size.
HICON LoadResourceIcon(UINT nID);
