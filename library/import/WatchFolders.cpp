#include "library/import/WatchFolders.h"

#include "framework/win/CStdioFile.h"
#include "library/api/VIZU.h"

namespace {
WatchFoldersDialogRunner g_pRunWatchFolders = nullptr;
}

CString WatchFolderListPath()
{
    return VIZU::GetLibDLLPath() + "KVWatchFolders.txt";
}

WatchFoldersDialogRunner SetWatchFoldersDialogRunner(WatchFoldersDialogRunner runner)
{
    WatchFoldersDialogRunner previous = g_pRunWatchFolders;
    g_pRunWatchFolders = runner;
    return previous;
}

// The count is only shown for information: a list that is missing or
// cannot be read counts no folders.
int VIZU::GetWatchFolderCount()
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

int VIZU::DisplayWatchFolders()
{
    if (!g_pRunWatchFolders)
        return 0;
    if (!g_pRunWatchFolders())
        return 0;
    Save(GetFullDBPath());
    return 1;
}
