#pragma once

#include "framework/portable/String.h"

// Directory-level operations of the file layer, for both platforms. Paths
// are UTF-8 on Windows, where the file layer hands them to the system's
// wide-character calls so that any folder name works, and the system's own
// bytes elsewhere; the separator is never part of another character.

#if defined(_WIN32)
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// Removes a file; a name that is missing or cannot be removed is left as it is.
void RemoveFile(const CString& strPath);

// Gives the file strFrom the name strTo unless an entry of that name exists,
// which is then left untouched. Returns false in that case; throws a
// CFileException on any other failure.
bool MoveFileNoReplace(const CString& strFrom, const CString& strTo);

// The full path of the running executable, however long.
CString ModuleFileName();

// Index of the last path separator of strPath, or -1.
long FindLastSeparator(const CString& strPath);

// Distinguishes the temporary files of concurrent processes.
unsigned long CurrentProcessId();
