// VIZU's entries of the track lists, their columns, and search and filter
// (library/tracklist): each holds the library lock where it reaches the
// state and hands the state, or the records, to the track-list functions.
#include "framework/ui/CListCtrl.h"
#include "library/api/VIZU.h"

#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"
#include "library/tracklist/SearchFilter.h"
#include "library/tracklist/TrackListColumns.h"
#include "library/tracklist/TrackListFill.h"

TabHeaderBuilder SetTabHeaderBuilder(TabHeaderBuilder builder)
{
    return ExchangeLibraryState(&LibraryState::tabHeaderBuilder, builder);
}

// Columns and headers

void VIZU::InitTrackListColumnOrder()
{
    LibraryLock lock;
    tracklist::InitTrackListColumnOrder(lock.State().settings);
}

int VIZU::DisplayListHeader(CListCtrl* list, bool checkBoxes)
{
    return tracklist::DisplayListHeader(list, checkBoxes);
}

int VIZU::DisplayTrackListHeader(CListCtrl* list, bool checkBoxes)
{
    int32_t positions[kTrackListColumns];
    CImageList* icons;
    {
        LibraryLock lock;
        const LibraryState& state = lock.State();
        for (int i = 0; i < kTrackListColumns; ++i)
            positions[i] = state.settings.columnPos[i];
        icons = state.trackIcons;
    }
    return tracklist::DisplayTrackListHeader(list, checkBoxes, positions, icons);
}

int __stdcall VIZU::KVSort(LONG_PTR itemData1, LONG_PTR itemData2, LONG_PTR sortInfo)
{
    return tracklist::KVSort(itemData1, itemData2, sortInfo);
}

int VIZU::GetTrackListColData(KV_LIST_COLUMN_ORDER* order)
{
    const int count = tracklist::ReadTrackListColCount();
    {
        LibraryLock lock;
        lock.State().settings.trackListColNum = count;
    }
    tracklist::ReadTrackListColData(count, order);
    return count;
}

bool VIZU::GetTrackListNeedsRefresh()
{
    return tracklist::GetTrackListNeedsRefresh();
}

bool VIZU::SetTrackListNeedsRefresh(bool needed)
{
    tracklist::SetTrackListNeedsRefresh(needed);
    return true;
}

void VIZU::SetTabHeader(CString text)
{
    TabHeaderBuilder builder;
    {
        LibraryLock lock;
        builder = lock.State().tabHeaderBuilder;
    }
    if (builder)
        builder(text);
}

// Filling lists

bool VIZU::InsertRecIntoList(CListCtrl* list, CImageList* images, CTrackRecord* rec,
                             bool checkExists)
{
    (void)images;
    return tracklist::InsertRecIntoList(list, rec, checkExists);
}

int VIZU::DisplayTracks(CListCtrl* list, bool checkExists, CImageList* images, bool plainIcons,
                        bool fromWorker)
{
    if (fromWorker)
        return tracklist::DisplayTracksFromWorker(list, checkExists, images, plainIcons);
    LibraryLock lock;
    return tracklist::DisplayTracks(lock.State().tracks, list, checkExists, images, plainIcons);
}

int VIZU::StopWorkerFill(CListCtrl* list)
{
    return list ? tracklist::StopWorkerFills(list->GetSafeHwnd()) : 0;
}

int VIZU::DisplayTracksV41(CListCtrl* list, bool checkExists, CImageList* images, bool showImages)
{
    LibraryLock lock;
    return tracklist::DisplayTracksV41(lock.State().tracks, list, checkExists, images, showImages);
}

int VIZU::PopulateListControl(CListCtrl* list, bool flag)
{
    (void)flag;
    LibraryLock lock;
    return tracklist::PopulateListControl(lock.State().tracks, list);
}

bool VIZU::InsertTrackIntoList(CListCtrl* list, CString path, CImageList* images)
{
    return tracklist::InsertTrackIntoList(list, path, images);
}

bool VIZU::UpdateListItemFromArray(CListCtrl* list, int row, int trackIndex)
{
    CTrackRecord rec;
    {
        LibraryLock lock;
        if (!tracklist::FindListItemRecord(lock.State(), list, trackIndex, rec))
            return false;
    }
    return tracklist::UpdateListItem(list, row, rec);
}

bool VIZU::UpdateListItemFromTag(CString path, CListCtrl* list, int row)
{
    return tracklist::UpdateListItemFromTag(path, list, row);
}

int VIZU::CopyListToArray(CListCtrl* list, CArray<CTrackRecord, CTrackRecord&>* tracks)
{
    return tracklist::CopyListToArray(list, tracks);
}

CString VIZU::GetTotalQueueTime(CListCtrl* list)
{
    return tracklist::GetTotalQueueTime(list);
}

// Search and filter

int VIZU::FindTitle(CString text)
{
    LibraryLock lock;
    return tracklist::FindTitle(lock.State().tracks, text);
}

int VIZU::FindArtist(CString text)
{
    LibraryLock lock;
    return tracklist::FindArtist(lock.State().tracks, text);
}

int VIZU::DoSearch(CString text, int code)
{
    LibraryLock lock(true);
    if (lock.Refused())
        return -1;
    return tracklist::DoSearch(lock.State(), text, code);
}

int VIZU::DisplayCurrentSearchResults(CListCtrl* list)
{
    LibraryLock lock;
    return tracklist::DisplayCurrentSearchResults(lock.State().searchTracks, list);
}

int VIZU::DisplaySearchResults(CListCtrl* list, CString text, int code, CImageList* images)
{
    LibraryLock lock;
    return tracklist::DisplaySearchResults(lock.State().tracks, list, text, code, images);
}

int VIZU::FilterTrackList(int code, CString value)
{
    LibraryLock lock(true);
    if (lock.Refused())
        return 0;
    return tracklist::FilterTrackList(lock.State(), code, value);
}

int VIZU::FilterTracksToArray(CArray<CTrackRecord, CTrackRecord&>* target, int code, CString value,
                              bool flag)
{
    (void)flag;
    LibraryLock lock;
    return tracklist::FilterTracksToArray(lock.State().tracks, target, code, value);
}

// The caller's arrays only: no lock beyond the records' in-use guard.
int VIZU::FilterArrayToArray(CArray<CTrackRecord, CTrackRecord&>* source,
                             CArray<CTrackRecord, CTrackRecord&>* target, int code, CString value)
{
    return tracklist::FilterArrayToArray(source, target, code, value);
}

int VIZU::LoadFilteredTracksToArray(CArray<CTrackRecord, CTrackRecord&>* target, int code,
                                    CString value)
{
    LibraryLock lock;
    return tracklist::LoadFilteredTracksToArray(lock.State().tracks, target, code, value);
}

int VIZU::SearchLibrary(int code, CString value, bool flag)
{
    (void)flag;
    LibraryLock lock;
    return tracklist::SearchLibrary(lock.State().tracks, code, value);
}

int VIZU::DisplayFilteredTracks(CListCtrl* list, int code, CString value, bool checkExists)
{
    LibraryLock lock;
    return tracklist::DisplayFilteredTracks(lock.State().tracks, list, code, value, checkExists);
}

int VIZU::DisplayFilteredTracksNoFind(CListCtrl* list, int code, CString value, bool checkExists,
                                      bool plainIcons)
{
    LibraryLock lock;
    return tracklist::DisplayFilteredTracksNoFind(lock.State().tracks, list, code, value,
                                                  checkExists, plainIcons);
}

int VIZU::DisplayFilteredEZTracks(CListCtrl* list, int code, CString value, bool checkExists)
{
    LibraryLock lock;
    return tracklist::DisplayFilteredEZTracks(lock.State().tracks, list, code, value, checkExists);
}

int VIZU::DisplayFilteredEZItemList(CListCtrl* list, int code, CString value, CImageList* images)
{
    (void)value;
    (void)images;
    LibraryLock lock;
    return tracklist::DisplayFilteredEZItemList(lock.State(), list, code);
}
