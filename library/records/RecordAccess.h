// Counting, finding, adding, deleting, membership tests, swapping,
// re-indexing and sorting of the library's records. The functions that take
// the state expect the library lock held by their caller (VIZU's entry
// points take it); the others work on the arrays they are given only.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"
#include "library/state/LibraryState.h"

namespace records {

// The position of the record with that index, or -1.
INT_PTR PositionOfIndex(const TrackArray& tracks, int index);
// The position of the first record of that path, or -1.
INT_PTR PositionOfPath(const TrackArray& array, const CString& path, bool caseBlind);

// The highest index of the records (0 for none).
int GetLastIndexNumber(const TrackArray& tracks);
bool GetRecordFromIndex(const TrackArray& tracks, int index, CTrackRecord* out);
// A position outside the array is answered with false, never read.
bool GetRecordAtIndex(const TrackArray& tracks, int position, CTrackRecord* out);
bool IsTrackInLib(const TrackArray& tracks, const CString& path);
// Membership by exact path, by path in any letter case, by artist and title.
bool CheckForDupes(const TrackArray& array, const CTrackRecord& record);
bool IsFilenameInArray(const TrackArray& array, const CTrackRecord& record);
bool IsTrackInArray(const TrackArray& array, const CTrackRecord& record);

// The changes of state.tracks refuse (false, -1 or nothing done) while the
// records are in use; each marks the library changed.
bool AddRecord(LibraryState& state, CTrackRecord& record);
bool DelRecord(LibraryState& state, const CString& path);
void EmptyTrackList(LibraryState& state);
bool SwapArrayItems(LibraryState& state, TrackArray& array, const CString& first,
                    const CString& second);
int IncrementPlayCount(LibraryState& state, int index);
int ReindexOpenDB(LibraryState& state);

// Sorts state.tracks by a code 1 to 10 and records code and direction as
// the last sort; false (nothing done) for other codes or while the records
// are in use.
bool SortLibraryTracks(LibraryState& state, int code, bool descending);
// The column sorts: ascending, descending, or alternating on the same code.
bool SortTrackListA(LibraryState& state, int code);
bool SortTrackListD(LibraryState& state, int code);
bool SortTrackList(LibraryState& state, int code);

} // namespace records

// While one lives, the operations that add, remove or move records of the
// library refuse: walks that let messages run hold one. It takes the lock
// for its count only, so it also guards walks made without the lock.
class TracksInUse
{
public:
    TracksInUse();
    ~TracksInUse();
    TracksInUse(const TracksInUse&) = delete;
    TracksInUse& operator=(const TracksInUse&) = delete;
};
// The last sort, read under the lock.
int LastSortCode();
bool LastSortDescending();
