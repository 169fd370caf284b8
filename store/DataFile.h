#pragma once

#include "framework/portable/String.h"

// The journal list the user searches: "Norvane.txt" in the program's folder.

// The folder of the running executable, with its trailing separator.
CString ProgramDirectory();

// strDir followed by "Norvane.txt", nothing between.
CString DataFilePath(const CString& strDir);

// True when an entry of the data file's name exists, even a folder.
bool DataFileExists(const CString& strDir);

// Writes the default journal list as the data file. A data file that exists
// by the time the list is written out is kept as it is.
void ResetDataFile(const CString& strDir);
