// The track row of the library's track lists and the writer that puts rows
// into a list control. The writer holds only the list's window handle: a
// fill never touches the caller's wrapper object after it started, and it
// stops as soon as the window is gone (its owner may destroy it from a
// handler that the fill's message pumping runs, or from the window thread
// while a worker thread fills).
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"
#include "library/state/LibrarySettings.h"
#include "library/api/TagInfo.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

// The texts of one row by sub-item, and the picture image of sub-item 2.
struct TrackRow
{
    CString text[kTrackListColumns];
    bool written[kTrackListColumns] = {};
    int picture = -1;   // -1: sub-item 2's image is not written

    void Put(int subItem, const CString& value)
    {
        text[subItem] = value;
        written[subItem] = true;
    }
    void Drop(int subItem) { written[subItem] = false; }
};

// What a track row shows of a record: the snapshot of the library that a
// worker's fill takes under the lock (cheaper than whole records).
struct TrackRowSource
{
    CString title, artist, album, genre, year, bpmText, fileName;
    int32_t length = 0, index = 0, playCount = 0, hasPicture = 0;

    TrackRowSource() = default;
    explicit TrackRowSource(const CTrackRecord& rec);
};

// The full track row of rec (sub-items 0 to 10); rec's tempo text is shown
// as it is, so the caller puts it into its normal form first.
TrackRow MakeTrackRow(const CTrackRecord& rec);
TrackRow MakeTrackRow(const TrackRowSource& rec);
// The row of a file's tags: sub-items 0 to 8 and 10 (9 is not written).
TrackRow MakeTagRow(const TAG_INFO& info);

// The type image of a row: WAV by an exact "wav" ending, else MP3; the
// missing-file image when asked to check and the file is not there. A fill
// of many rows hands its existence cache, so the check reads each folder
// once; without one the file system is asked for this file.
class ExistenceCache;
int TrackTypeImage(const CString& path, bool checkExists, ExistenceCache* existence = nullptr);

class TrackRowWriter
{
public:
    explicit TrackRowWriter(HWND list) : m_list(list) {}

    bool Alive() const { return m_list && IsWindow(m_list); }
    int Count() const;
    void SetRedraw(bool on);
    void DeleteAll();
    void SetSmallImages(HIMAGELIST images);
    void SetNormalImages(HIMAGELIST images);
    void RepaintNow();

    // Inserts the item (sub-item 0 text, image, item data) at position and
    // writes the row's other sub-items; the row's index, or -1.
    int Insert(int position, const TrackRow& row, int image, LPARAM data);
    // Rewrites the written texts (sub-item 0 too) and the picture image of
    // an existing row; its item image and item data stay.
    void Rewrite(int row, const TrackRow& texts);
    // Inserts a text-only item; its index, or -1.
    int InsertText(int position, const CString& text);
    void SetData(int row, LPARAM data);
    void SetText(int row, int subItem, const char* text);
    void SetImage(int row, int subItem, int image);
    CString GetText(int row, int subItem) const;

private:
    void WriteSubItems(int row, const TrackRow& texts);

    HWND m_list;
};

struct LibraryState;
class CImageList;
class CListCtrl;

// Lists filled from the library's records and from the files' tags (the
// lock held by the caller where records are given: VIZU's entry points).
namespace tracklist {

using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

// One row for rec at the end of the list, its item data rec's index; rec's
// tempo text is put into its normal form.
bool InsertRecIntoList(CListCtrl* list, CTrackRecord* rec, bool checkExists);
// Every record as a row, messages let through before each; the rows written.
int DisplayTracks(TrackArray& tracks, CListCtrl* list, bool checkExists, CImageList* images,
                  bool plainIcons);
// The same for a worker thread: the library's records read under its lock
// (the caller holds none), the rows written by the list's own thread in
// batches; no pumping.
int DisplayTracksFromWorker(CListCtrl* list, bool checkExists, CImageList* images, bool plainIcons);
// Stops the worker fills of that list under way now (each stops before its
// next row); a fill that starts later is not affected. How many were told.
int StopWorkerFills(HWND list);
// The window thread's mailbox that inserts a worker fill's batches of rows:
// opened on the thread that makes the first VIZU object, closed with the
// last. A worker fill into a list of another thread writes row by row.
void OpenFillMailbox();
void CloseFillMailbox();
int DisplayTracksV41(TrackArray& tracks, CListCtrl* list, bool checkExists, CImageList* images,
                     bool showImages);
int PopulateListControl(const TrackArray& tracks, CListCtrl* list);
// The record of that index into rec, the track icons set on the list;
// false when there is none.
bool FindListItemRecord(const LibraryState& state, CListCtrl* list, int trackIndex,
                        CTrackRecord& rec);
// Rewrites a row's texts from rec and redraws it.
bool UpdateListItem(CListCtrl* list, int row, const CTrackRecord& rec);
// The sum of the rows' lengths, "h:mm:ss".
CString GetTotalQueueTime(CListCtrl* list);

// Rows read from the files' own tags (TrackListFillTags.cpp).
bool InsertTrackIntoList(CListCtrl* list, const CString& path, CImageList* images);
bool UpdateListItemFromTag(const CString& path, CListCtrl* list, int row);
int CopyListToArray(CListCtrl* list, TrackArray* tracks);

// Search and filter results shown in a list (SearchFilterLists.cpp).
int DisplayCurrentSearchResults(TrackArray& searchTracks, CListCtrl* list);
int DisplaySearchResults(TrackArray& tracks, CListCtrl* list, const CString& text, int code,
                         CImageList* images);
int DisplayFilteredTracks(TrackArray& tracks, CListCtrl* list, int code, const CString& value,
                          bool checkExists);
int DisplayFilteredTracksNoFind(TrackArray& tracks, CListCtrl* list, int code,
                                const CString& value, bool checkExists, bool plainIcons);
int DisplayFilteredEZTracks(TrackArray& tracks, CListCtrl* list, int code, const CString& value,
                            bool checkExists);
// The distinct values of one field (codes 30, 31, 32, 34), the library
// sorted by it first.
int DisplayFilteredEZItemList(LibraryState& state, CListCtrl* list, int code);

} // namespace tracklist
