// VIZU's entries of record access, sort and random pick: each holds the
// library lock and hands the state, or the array, to records/.
#include "library/api/VIZU.h"

#include "framework/win/CWaitCursor.h"
#include "library/records/RandomPick.h"
#include "library/records/RecordAccess.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"

RandomDrawSource* SetRandomDrawSource(RandomDrawSource* source)
{
    return ExchangeLibraryState(&LibraryState::randomSource, source);
}

int VIZU::GetRecordCount()
{
    LibraryLock lock;
    return static_cast<int>(lock.State().tracks.GetSize());
}

int VIZU::GetLastIndexNumber()
{
    LibraryLock lock;
    return records::GetLastIndexNumber(lock.State().tracks);
}

int VIZU::FindIndex(int index)
{
    LibraryLock lock;
    return static_cast<int>(records::PositionOfIndex(lock.State().tracks, index));
}

bool VIZU::GetRecordFromIndex(int index, CTrackRecord* out)
{
    LibraryLock lock;
    return records::GetRecordFromIndex(lock.State().tracks, index, out);
}

bool VIZU::GetRecordAtIndex(int position, CTrackRecord* out)
{
    LibraryLock lock;
    return records::GetRecordAtIndex(lock.State().tracks, position, out);
}

bool VIZU::AddRecord(CTrackRecord record)
{
    LibraryLock lock;
    return records::AddRecord(lock.State(), record);
}

bool VIZU::DelRecord(CString path)
{
    LibraryLock lock;
    return records::DelRecord(lock.State(), path);
}

void VIZU::EmptyTrackList()
{
    LibraryLock lock;
    records::EmptyTrackList(lock.State());
}

void VIZU::EmptyFilteredArray()
{
    LibraryLock lock;
    lock.State().filteredTracks.RemoveAll();
}

void VIZU::EmptyAddTracks()
{
    LibraryLock lock;
    lock.State().addTracks.RemoveAll();
}

void VIZU::EmptyExceptionList()
{
    LibraryLock lock;
    lock.State().exceptions.RemoveAll();
}

bool VIZU::IsTrackInLib(CString path)
{
    LibraryLock lock;
    return records::IsTrackInLib(lock.State().tracks, path);
}

bool VIZU::IsFileInLibrary(CString path)
{
    (void)path;
    return false;
}

// The caller's array may be the library's own: it is read under the lock.
bool VIZU::CheckForDupes(CArray<CTrackRecord, CTrackRecord&>* array, CTrackRecord* record)
{
    if (!array || !record)
        return false;
    LibraryLock lock;
    return records::CheckForDupes(*array, *record);
}

bool VIZU::IsFilenameInArray(CArray<CTrackRecord, CTrackRecord&>* array, CTrackRecord* record)
{
    if (!array || !record)
        return false;
    LibraryLock lock;
    return records::IsFilenameInArray(*array, *record);
}

bool VIZU::IsTrackInArray(CArray<CTrackRecord, CTrackRecord&>* array, CTrackRecord* record)
{
    if (!array || !record)
        return false;
    LibraryLock lock;
    return records::IsTrackInArray(*array, *record);
}

bool VIZU::SwapArrayItems(CArray<CTrackRecord, CTrackRecord&>* array, CString first,
                          CString second)
{
    if (!array)
        return false;
    LibraryLock lock;
    return records::SwapArrayItems(lock.State(), *array, first, second);
}

int VIZU::IncrementPlayCount(int index)
{
    LibraryLock lock;
    return records::IncrementPlayCount(lock.State(), index);
}

int VIZU::ReindexOpenDB()
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    if (state.tracks.IsEmpty() || state.tracksInUse > 0)
        return -1;
    CWaitCursor wait;
    return records::ReindexOpenDB(state);
}

bool VIZU::SortTrackListA(int code)
{
    LibraryLock lock;
    return records::SortTrackListA(lock.State(), code);
}

bool VIZU::SortTrackListD(int code)
{
    LibraryLock lock;
    return records::SortTrackListD(lock.State(), code);
}

bool VIZU::SortTrackList(int code)
{
    LibraryLock lock;
    return records::SortTrackList(lock.State(), code);
}

CString VIZU::GetRandomTrack(tagRandomInfo* info)
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    return records::GetRandomTrack(state.tracks, info, state.randomSource);
}
