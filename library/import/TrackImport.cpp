// Adding music files to the open library: one file, a listed folder, and a
// folder's new music files. Every road ends in VIZU::AddATrack.
#include "library/import/TrackImport.h"

#include "framework/win/CWaitCursor.h"
#include "library/import/AddLog.h"
#include "library/records/RecordAccess.h"
#include "library/state/LibrarySettings.h"
#include "library/state/LibraryState.h"
#include "library/state/MessagePump.h"
#include "library/api/TagInfo.h"
#include "library/import/TrackImportNames.h"
#include "library/import/TrackImportWalk.h"
#include "library/api/VIZU.h"
#include "library/tags/TagReading.h"

#include <windows.h>

bool trackimport::ReadTrack(const CString& path, CTrackRecord& record)
{
    if (!HasMusicEnding(path))
        return false;
    const bool logAdds = CurrentAddSettings().logAdds;
    // Logged before the file is read: after a crash the log's last line
    // names the file that caused it.
    if (logAdds)
        WriteAddLogEntry(path);

    record.ClearRecord();
    TAG_INFO info;
    // Without the lock: the exception list takes it for each entry.
    if (!tags::GetTagInfo(path, &info)) {
        VIZU::AddException("Analyze Failure", path);
        if (logAdds)
            WriteAddLogEntry("*UNABLE TO ADD: " + path);
        return false;
    }
    record.m_FileName = path;
    tags::CopyTagInfoToRecord(&record, &info);
    tags::CheckTagFields(&record);
    if (record.m_FileName.IsEmpty()) {
        VIZU::AddException("Bad Filepath", path);
        return false;
    }
    return true;
}

bool trackimport::AddTrack(LibraryState& state, CTrackRecord& record, const CString& path,
                           bool checkDupes)
{
    if (checkDupes && records::CheckForDupes(state.tracks, record)) {
        AddException(state.exceptions, "Found Dupe Record", path);
        return false;
    }
    record.m_Index = records::GetLastIndexNumber(state.tracks) + 1;
    return records::AddRecord(state, record);
}

int trackimport::AddFolderToLibrary(const CArray<CTrackRecord, CTrackRecord&>& records)
{
    // The caller's array is only read; a copy keeps the walk safe from
    // handlers that run while messages are let through.
    CArray<CTrackRecord, CTrackRecord&> listed;
    listed.Copy(records);
    LoopPump pacer;
    int added = 0;
    for (INT_PTR i = 0; i < listed.GetSize(); ++i) {
        if (pacer.StepOrAbort(nullptr))
            break;
        if (VIZU::AddATrack(listed[i].m_FileName, false))
            ++added;
    }
    return added;
}

int trackimport::AddNewInFolderToLibrary(const CString& folder)
{
    CWaitCursor wait;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(JoinFolderPath(folder, "*.*"), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    LoopPump pacer;
    int added = 0;
    do {
        if (pacer.StepOrAbort(nullptr))
            break;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CString name(entry.cFileName);
        if (!HasMusicEnding(name))
            continue;
        CString path = JoinFolderPath(folder, name);
        if (!VIZU::IsTrackInLib(path) && VIZU::AddATrack(path, false))
            ++added;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return added;
}
