#pragma once

#include "framework/portable/HeldFileRetry.h"
#include "framework/portable/String.h"

// The system's own words for a Win32 error code, in UTF-8, without the final
// full stop.
CString DescribeWin32Error(unsigned long dwError);

// The outcome of a Win32 call that says whether it succeeded, its error in
// GetLastError: a sharing or lock violation is another program's hold.
FileAttempt Win32Attempt(bool bSucceeded);
