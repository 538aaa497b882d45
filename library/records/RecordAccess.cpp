// Counting, finding, adding, deleting, membership tests, swapping,
// re-indexing and sorting of the library's records.
#include "library/records/RecordAccess.h"

#include "framework/win/CWaitCursor.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"
#include "library/records/RecordSort.h"
#include "library/api/VIZU.h"

namespace {

using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

// Shared by every sort of m_Tracks; kept while KVLib is loaded.
int g_nLastSortCode = 0;
bool g_bLastSortDescending = false;

int g_nTracksInUse = 0;

INT_PTR PositionOfIndex(int index)
{
    for (INT_PTR i = 0; i < m_Tracks.GetSize(); ++i)
        if (m_Tracks[i].m_Index == index)
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

} // namespace

TracksInUse::TracksInUse()
{
    LibraryLock lock;
    ++g_nTracksInUse;
}

TracksInUse::~TracksInUse()
{
    LibraryLock lock;
    --g_nTracksInUse;
}

bool AreTracksInUse()
{
    LibraryLock lock;
    return g_nTracksInUse > 0;
}

bool SortLibraryTracks(int code, bool descending)
{
    LibraryLock lock;
    if (!IsSortCode(code) || g_nTracksInUse > 0)
        return false;
    SortRecords(m_Tracks, code, descending);
    g_nLastSortCode = code;
    g_bLastSortDescending = descending;
    return true;
}

int LastSortCode()
{
    LibraryLock lock;
    return g_nLastSortCode;
}

bool LastSortDescending()
{
    LibraryLock lock;
    return g_bLastSortDescending;
}

int VIZU::GetRecordCount()
{
    LibraryLock lock;
    return static_cast<int>(m_Tracks.GetSize());
}

int VIZU::GetLastIndexNumber()
{
    LibraryLock lock;
    if (m_Tracks.IsEmpty())
        return 0;
    int highest = -1;
    for (INT_PTR i = 0; i < m_Tracks.GetSize(); ++i)
        if (m_Tracks[i].m_Index > highest)
            highest = m_Tracks[i].m_Index;
    return highest;
}

int VIZU::FindIndex(int index)
{
    LibraryLock lock;
    return static_cast<int>(PositionOfIndex(index));
}

bool VIZU::GetRecordFromIndex(int index, CTrackRecord* out)
{
    LibraryLock lock;
    const INT_PTR at = PositionOfIndex(index);
    if (at < 0 || !out)
        return false;
    *out = m_Tracks[at];
    return true;
}

// Positions come from list rows and from network requests: one outside the
// array is answered with false, never read.
bool VIZU::GetRecordAtIndex(int position, CTrackRecord* out)
{
    LibraryLock lock;
    if (!out || position < 0 || position >= m_Tracks.GetSize())
        return false;
    *out = m_Tracks[position];
    return true;
}

bool VIZU::AddRecord(CTrackRecord record)
{
    LibraryLock lock;
    if (g_nTracksInUse > 0)
        return false;
    m_Tracks.Add(record);
    MarkLibraryChanged();
    return true;
}

bool VIZU::DelRecord(CString path)
{
    LibraryLock lock;
    if (g_nTracksInUse > 0)
        return false;
    const INT_PTR at = PositionOfPath(m_Tracks, path, false);
    if (at < 0)
        return false;
    m_Tracks.RemoveAt(at);
    MarkLibraryChanged();
    return true;
}

void VIZU::EmptyTrackList()
{
    LibraryLock lock;
    if (g_nTracksInUse == 0)
        m_Tracks.RemoveAll();
}

void VIZU::EmptyFilteredArray()
{
    LibraryLock lock;
    m_FilteredTracks.RemoveAll();
}

void VIZU::EmptyAddTracks()
{
    LibraryLock lock;
    m_AddTracks.RemoveAll();
}

void VIZU::EmptyExceptionList()
{
    LibraryLock lock;
    m_ExceptionArray.RemoveAll();
}

bool VIZU::IsTrackInLib(CString path)
{
    LibraryLock lock;
    return PositionOfPath(m_Tracks, path, false) >= 0;
}

bool VIZU::IsFileInLibrary(CString path)
{
    (void)path;
    return false;
}

bool VIZU::CheckForDupes(CArray<CTrackRecord, CTrackRecord&>* array, CTrackRecord* record)
{
    if (!array || !record)
        return false;
    LibraryLock lock;
    return PositionOfPath(*array, record->m_FileName, false) >= 0;
}

bool VIZU::IsFilenameInArray(CArray<CTrackRecord, CTrackRecord&>* array, CTrackRecord* record)
{
    if (!array || !record)
        return false;
    LibraryLock lock;
    return PositionOfPath(*array, record->m_FileName, true) >= 0;
}

bool VIZU::IsTrackInArray(CArray<CTrackRecord, CTrackRecord&>* array, CTrackRecord* record)
{
    if (!array || !record)
        return false;
    LibraryLock lock;
    for (INT_PTR i = 0; i < array->GetSize(); ++i) {
        const CTrackRecord& r = (*array)[i];
        if (r.m_Artist.CompareNoCase(record->m_Artist) == 0
            && r.m_Title.CompareNoCase(record->m_Title) == 0)
            return true;
    }
    return false;
}

bool VIZU::SwapArrayItems(CArray<CTrackRecord, CTrackRecord&>* array, CString first,
                          CString second)
{
    if (!array)
        return false;
    LibraryLock lock;
    if (array == &m_Tracks && g_nTracksInUse > 0)
        return false;
    const INT_PTR i = PositionOfPath(*array, first, true);
    if (i < 0)
        return false;
    const INT_PTR j = PositionOfPath(*array, second, true);
    if (j < 0)
        return false;
    if (i != j) {
        CTrackRecord kept((*array)[i]);
        (*array)[i] = (*array)[j];
        (*array)[j] = kept;
    }
    return true;
}

// The new count must reach the file: the library is marked changed.
int VIZU::IncrementPlayCount(int index)
{
    LibraryLock lock;
    if (m_Tracks.IsEmpty())
        return -1;
    const INT_PTR at = PositionOfIndex(index);
    if (at >= 0) {
        ++m_Tracks[at].m_PlayCount;
        MarkLibraryChanged();
    }
    return 0;
}

int VIZU::ReindexOpenDB()
{
    LibraryLock lock;
    if (m_Tracks.IsEmpty() || g_nTracksInUse > 0)
        return -1;
    CWaitCursor wait;
    const INT_PTR count = m_Tracks.GetSize();
    for (INT_PTR i = 0; i < count; ++i)
        m_Tracks[i].m_Index = static_cast<int32_t>(i + 1);
    MarkLibraryChanged();
    return static_cast<int>(count + 1);
}

bool VIZU::SortTrackListA(int code)
{
    LibraryLock lock;
    if (m_Tracks.IsEmpty() || g_nTracksInUse > 0)
        return false;
    if (IsSortCode(code))
        SortLibraryTracks(code, false);
    return true;
}

bool VIZU::SortTrackListD(int code)
{
    LibraryLock lock;
    if (m_Tracks.IsEmpty() || g_nTracksInUse > 0)
        return false;
    if (IsSortCode(code))
        SortLibraryTracks(code, true);
    return true;
}

// Clicking one column again alternates the direction; another column
// starts ascending.
bool VIZU::SortTrackList(int code)
{
    LibraryLock lock;
    if (m_Tracks.IsEmpty() || g_nTracksInUse > 0)
        return false;
    if (!IsSortCode(code))
        return true;
    const bool descending = g_nLastSortCode == code && !g_bLastSortDescending;
    SortLibraryTracks(code, descending);
    return true;
}
