// Adding music files to the open library: one file, a listed folder, and a
// folder's new music files. Every road ends in VIZU::AddATrack.
#include "library/import/TrackImport.h"

#include "framework/win/CWaitCursor.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibrarySettings.h"
#include "library/state/MessagePump.h"
#include "library/api/TagInfo.h"
#include "library/import/TrackImportNames.h"
#include "library/import/TrackImportWalk.h"
#include "library/api/VIZU.h"

#include <windows.h>

bool VIZU::AddATrack(CString path, bool checkDupes)
{
    if (!HasMusicEnding(path))
        return false;
    const bool logAdds = CurrentAddSettings().logAdds;
    // Logged before the file is read: after a crash the log's last line
    // names the file that caused it.
    if (logAdds)
        WriteAddLogEntry(path);

    CTrackRecord record;
    record.ClearRecord();
    TAG_INFO info;
    if (!GetTagInfo(path, &info)) {
        AddException("Analyze Failure", path);
        if (logAdds)
            WriteAddLogEntry("*UNABLE TO ADD: " + path);
        return false;
    }
    record.m_FileName = path;
    CopyTagInfoToRecord(&record, &info);
    CheckTagFields(&record);
    if (record.m_FileName.IsEmpty()) {
        AddException("Bad Filepath", path);
        return false;
    }

    // The next index and the append stay together, so two threads adding at
    // once never hand out one number twice.
    LibraryLock lock;
    if (checkDupes && CheckForDupes(&m_Tracks, &record)) {
        AddException("Found Dupe Record", path);
        return false;
    }
    record.m_Index = GetLastIndexNumber() + 1;
    return AddRecord(record);
}

int VIZU::AddFolderToLibrary(CString folder, CArray<CTrackRecord, CTrackRecord&>* records)
{
    (void)folder;
    if (!records)
        return 0;
    // The caller's array is only read; a copy keeps the walk safe from
    // handlers that run while messages are let through.
    CArray<CTrackRecord, CTrackRecord&> listed;
    listed.Copy(*records);
    int added = 0;
    for (INT_PTR i = 0; i < listed.GetSize(); ++i) {
        if (EscapeAbortPrompt(nullptr))
            break;
        ProcessMessages();
        if (AddATrack(listed[i].m_FileName, false))
            ++added;
    }
    return added;
}

int VIZU::AddNewInFolderToLibrary(CString folder, CArray<CTrackRecord, CTrackRecord&>* records)
{
    (void)records;
    CWaitCursor wait;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(JoinFolderPath(folder, "*.*"), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int added = 0;
    do {
        if (EscapeAbortPrompt(nullptr))
            break;
        ProcessMessages();
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CString name(entry.cFileName);
        if (!HasMusicEnding(name))
            continue;
        CString path = JoinFolderPath(folder, name);
        if (!IsTrackInLib(path) && AddATrack(path, false))
            ++added;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return added;
}
