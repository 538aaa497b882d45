// Counting, finding, adding, deleting, membership tests, swapping,
// re-indexing and sorting of the library's records.
#include "library/records/RecordAccess.h"

#include "library/records/RecordSort.h"

namespace records {

INT_PTR PositionOfIndex(const TrackArray& tracks, int index)
{
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
        if (tracks[i].m_Index == index)
            return i;
    return -1;
}

INT_PTR PositionOfPath(const TrackArray& array, const CString& path, bool caseBlind)
{
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        const CString& name = array[i].m_FileName;
        if (caseBlind ? name.CompareNoCase(path) == 0 : name.Compare(path) == 0)
            return i;
    }
    return -1;
}

bool SortLibraryTracks(LibraryState& state, int code, bool descending)
{
    if (!IsSortCode(code) || state.tracksInUse > 0)
        return false;
    SortRecords(state.tracks, code, descending);
    state.lastSortCode = code;
    state.lastSortDescending = descending;
    if (state.tracksMoved)
        state.tracksMoved(state);
    return true;
}

int GetLastIndexNumber(const TrackArray& tracks)
{
    if (tracks.IsEmpty())
        return 0;
    int highest = -1;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
        if (tracks[i].m_Index > highest)
            highest = tracks[i].m_Index;
    return highest;
}

bool GetRecordFromIndex(const TrackArray& tracks, int index, CTrackRecord* out)
{
    const INT_PTR at = PositionOfIndex(tracks, index);
    if (at < 0 || !out)
        return false;
    *out = tracks[at];
    return true;
}

// Positions come from list rows and from network requests: one outside the
// array is answered with false, never read.
bool GetRecordAtIndex(const TrackArray& tracks, int position, CTrackRecord* out)
{
    if (!out || position < 0 || position >= tracks.GetSize())
        return false;
    *out = tracks[position];
    return true;
}

bool AddRecord(LibraryState& state, CTrackRecord& record)
{
    if (state.tracksInUse > 0)
        return false;
    state.tracks.Add(record);
    state.changed = true;
    return true;
}

bool DelRecord(LibraryState& state, const CString& path)
{
    if (state.tracksInUse > 0)
        return false;
    const INT_PTR at = PositionOfPath(state.tracks, path, false);
    if (at < 0)
        return false;
    state.tracks.RemoveAt(at);
    state.changed = true;
    if (state.tracksMoved)
        state.tracksMoved(state);
    return true;
}

void EmptyTrackList(LibraryState& state)
{
    if (state.tracksInUse == 0)
        state.tracks.RemoveAll();
}

bool IsTrackInLib(const TrackArray& tracks, const CString& path)
{
    return PositionOfPath(tracks, path, false) >= 0;
}

bool CheckForDupes(const TrackArray& array, const CTrackRecord& record)
{
    return PositionOfPath(array, record.m_FileName, false) >= 0;
}

bool IsFilenameInArray(const TrackArray& array, const CTrackRecord& record)
{
    return PositionOfPath(array, record.m_FileName, true) >= 0;
}

bool IsTrackInArray(const TrackArray& array, const CTrackRecord& record)
{
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        const CTrackRecord& r = array[i];
        if (r.m_Artist.CompareNoCase(record.m_Artist) == 0
            && r.m_Title.CompareNoCase(record.m_Title) == 0)
            return true;
    }
    return false;
}

bool SwapArrayItems(LibraryState& state, TrackArray& array, const CString& first,
                    const CString& second)
{
    if (&array == &state.tracks && state.tracksInUse > 0)
        return false;
    const INT_PTR i = PositionOfPath(array, first, true);
    if (i < 0)
        return false;
    const INT_PTR j = PositionOfPath(array, second, true);
    if (j < 0)
        return false;
    if (i != j) {
        CTrackRecord kept(array[i]);
        array[i] = array[j];
        array[j] = kept;
    }
    return true;
}

// The new count must reach the file: the library is marked changed.
int IncrementPlayCount(LibraryState& state, int index)
{
    if (state.tracks.IsEmpty())
        return -1;
    const INT_PTR at = PositionOfIndex(state.tracks, index);
    if (at >= 0) {
        ++state.tracks[at].m_PlayCount;
        state.changed = true;
    }
    return 0;
}

int ReindexOpenDB(LibraryState& state)
{
    TrackArray& tracks = state.tracks;
    if (tracks.IsEmpty() || state.tracksInUse > 0)
        return -1;
    const INT_PTR count = tracks.GetSize();
    for (INT_PTR i = 0; i < count; ++i)
        tracks[i].m_Index = static_cast<int32_t>(i + 1);
    state.changed = true;
    return static_cast<int>(count + 1);
}

bool SortTrackListA(LibraryState& state, int code)
{
    if (state.tracks.IsEmpty() || state.tracksInUse > 0)
        return false;
    if (IsSortCode(code))
        SortLibraryTracks(state, code, false);
    return true;
}

bool SortTrackListD(LibraryState& state, int code)
{
    if (state.tracks.IsEmpty() || state.tracksInUse > 0)
        return false;
    if (IsSortCode(code))
        SortLibraryTracks(state, code, true);
    return true;
}

// Clicking one column again alternates the direction; another column
// starts ascending.
bool SortTrackList(LibraryState& state, int code)
{
    if (state.tracks.IsEmpty() || state.tracksInUse > 0)
        return false;
    if (!IsSortCode(code))
        return true;
    const bool descending = state.lastSortCode == code && !state.lastSortDescending;
    SortLibraryTracks(state, code, descending);
    return true;
}

} // namespace records
