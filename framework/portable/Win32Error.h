#pragma once

#include "framework/portable/String.h"

// The system's own words for a Win32 error code, without the final full stop.
CString DescribeWin32Error(unsigned long dwError);
