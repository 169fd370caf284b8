#include "store/DataFile.h"

#include "framework/portable/FileFind.h"
#include "framework/portable/FileSystem.h"
#include "framework/portable/TempFile.h"
#include "store/DefaultJournals.h"

CString ProgramDirectory()
{
    const CString strPath = ModuleFileName();
    const long nSeparator = FindLastSeparator(strPath);
    return nSeparator < 0 ? strPath : strPath.Left(nSeparator + 1);
}

CString DataFilePath(const CString& strDir)
{
    return strDir + "Norvane.txt";
}

bool DataFileExists(const CString& strDir)
{
    CFileFind finder;
    return finder.FindFile(DataFilePath(strDir));
}

void ResetDataFile(const CString& strDir)
{
    // Written aside and then moved in: a failed write leaves no half list
    // behind, and a file that appeared meanwhile is the user's to keep.
    CTempFile file(DataFilePath(strDir));
    file.File().WriteString(DefaultJournalText());
    file.Commit();
}
