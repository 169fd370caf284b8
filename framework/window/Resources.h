#pragma once

#include <windows.h>

#include <string>

// A string of the program's string table; empty when there is none.
std::wstring LoadResourceString(UINT nID);
// An icon of the program's resources at the system's large icon size.
HICON LoadResourceIcon(UINT nID);
