#include "library/import/WatchFolders.h"

#include "foundation/app/ProgramFolder.h"
#include "framework/win/CStdioFile.h"

CString WatchFolderListPath()
{
    return GetProgramFolder() + "KVWatchFolders.txt";
}

// The count is only shown for information: a list that is missing or
// cannot be read counts no folders.
int trackimport::GetWatchFolderCount()
{
    CStdioFile list;
    if (!list.Open(WatchFolderListPath(), CFile::modeRead | CFile::shareDenyNone | CFile::typeText))
        return 0;
    int count = 0;
    try {
        CString line;
        while (list.ReadString(line))
            ++count;
    } catch (CFileException&) {
    }
    list.Close();
    return count;
}
