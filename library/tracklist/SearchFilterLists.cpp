// Search and filter results shown in the caller's list controls, and the
// distinct values of one field.
#include "library/tracklist/SearchFilter.h"

#include "framework/ui/CImageList.h"
#include "framework/ui/CListCtrl.h"
#include "framework/win/CWaitCursor.h"
#include "library/state/ExistenceCache.h"
#include "library/state/LibraryState.h"
#include "library/state/MessagePump.h"
#include "library/records/RecordAccess.h"
#include "library/tracklist/TrackListFill.h"
#include "library/tracklist/TrackListFillText.h"
#include "library/api/VIZU.h"

#include <functional>

namespace {

enum class RowKind { Track, ThreeColumns };

struct ListFill
{
    RowKind kind = RowKind::Track;
    bool checkExists = false;
    bool plainIcons = false;
    bool pump = false;
    bool setTrackIcons = false;
};

HWND ListHandle(const CListCtrl* list)
{
    return list ? list->GetSafeHwnd() : nullptr;
}

int AppendRow(TrackRowWriter& writer, const CTrackRecord& rec, int rowNumber, const ListFill& how,
              ExistenceCache& existence)
{
    int image = how.plainIcons ? track_image::kPlain
                               : TrackTypeImage(rec.m_FileName, how.checkExists, &existence);
    if (how.kind == RowKind::Track)
        return writer.Insert(rowNumber, MakeTrackRow(rec), image, rowNumber);
    TrackRow row;
    row.Put(0, rec.m_Title);
    row.Put(1, rec.m_Artist);
    row.Put(2, rec.m_FileName);
    return writer.Insert(rowNumber, row, image, rowNumber);
}

// The list members' common fill: an empty source empties the list and
// answers emptyAnswer; otherwise every record that matches gets a row at
// the end whose item data is its row number. Pumping is followed by fresh
// checks of the list's window and of the array's size.
int FillList(CListCtrl* list, TrackArray& source, int emptyAnswer, const ListFill& how,
             const std::function<bool(const CTrackRecord&)>& matches)
{
    // A worker still filling this list stops before these rows go in.
    tracklist::StopWorkerFills(ListHandle(list));
    TrackRowWriter writer(ListHandle(list));
    if (source.GetSize() == 0) {
        writer.SetRedraw(false);
        writer.DeleteAll();
        writer.SetRedraw(true);
        return emptyAnswer;
    }
    if (how.setTrackIcons) {
        CImageList* icons = LibraryTrackIcons();
        writer.SetSmallImages(icons ? icons->GetSafeHandle() : nullptr);
    }
    TracksInUse inUse;
    CWaitCursor wait;
    writer.SetRedraw(false);
    writer.DeleteAll();
    LoopPump pacer;
    ExistenceCache existence;
    int rows = 0;
    for (INT_PTR i = 0; i < source.GetSize(); ++i) {
        if (matches(source[i])) {
            CTrackRecord rec(source[i]);
            if (AppendRow(writer, rec, rows, how, existence) >= 0)
                ++rows;
        }
        if (how.pump && pacer.Step() && !writer.Alive())
            return rows;
    }
    writer.SetRedraw(true);
    writer.RepaintNow();
    return rows;
}

int FilterToList(TrackArray& tracks, CListCtrl* list, int code, const CString& value, bool equals,
                 const ListFill& how)
{
    TrackMatcher matcher(LibraryCaseFold(), value.str());
    return FillList(list, tracks, 0, how, [&](const CTrackRecord& rec) {
        if (!equals)
            return matcher.FilterContains(MatchFieldsOf(rec), code);
        std::string tempo;
        return matcher.FilterEquals(MatchFieldsOf(rec, code == 26 ? &tempo : nullptr), code);
    });
}

// The field that the distinct-value list shows, and the sort code that
// orders the library by it (0: none).
const CString* DistinctField(const CTrackRecord& rec, int code)
{
    switch (code) {
    case 30: return &rec.m_Artist;
    case 31: return &rec.m_Album;
    case 32: return &rec.m_Genre;
    case 34: return &rec.m_Year;
    default: return nullptr;
    }
}

int DistinctSortCode(int code)
{
    switch (code) {
    case 30: return 2;
    case 31: return 1;
    case 32: return 4;
    case 34: return 8;
    default: return 0;
    }
}

} // namespace

int tracklist::DisplayCurrentSearchResults(TrackArray& searchTracks, CListCtrl* list)
{
    ListFill how;
    return FillList(list, searchTracks, -1, how, [](const CTrackRecord&) { return true; });
}

int tracklist::DisplaySearchResults(TrackArray& tracks, CListCtrl* list, const CString& text,
                                    int code, CImageList* images)
{
    TrackRowWriter writer(ListHandle(list));
    if (tracks.GetSize() == 0) {
        writer.SetRedraw(false);
        writer.DeleteAll();
        writer.SetRedraw(true);
        return 0;
    }
    TrackMatcher matcher(LibraryCaseFold(), text.str());
    TracksInUse inUse;
    CWaitCursor wait;
    writer.SetRedraw(false);
    writer.DeleteAll();
    LoopPump pacer;
    int matches = 0;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i) {
        if (matcher.SearchMatches(MatchFieldsOf(tracks[i]), code)) {
            CString path = tracks[i].m_FileName;
            // The list is reached again through its handle: the pump below
            // may have closed it.
            if (!writer.Alive())
                return matches;
            InsertTrackIntoList(list, path, images);
            ++matches;
        }
        pacer.Step();
    }
    if (writer.Alive()) {
        writer.SetRedraw(true);
        writer.RepaintNow();
    }
    return matches;
}

int tracklist::DisplayFilteredTracks(TrackArray& tracks, CListCtrl* list, int code,
                                     const CString& value, bool checkExists)
{
    ListFill how;
    how.checkExists = checkExists;
    how.pump = true;
    return FilterToList(tracks, list, code, value, false, how);
}

int tracklist::DisplayFilteredTracksNoFind(TrackArray& tracks, CListCtrl* list, int code,
                                           const CString& value, bool checkExists,
                                           bool plainIcons)
{
    ListFill how;
    how.checkExists = checkExists;
    how.plainIcons = plainIcons;
    how.pump = true;
    return FilterToList(tracks, list, code, value, true, how);
}

int tracklist::DisplayFilteredEZTracks(TrackArray& tracks, CListCtrl* list, int code,
                                       const CString& value, bool checkExists)
{
    ListFill how;
    how.kind = RowKind::ThreeColumns;
    how.checkExists = checkExists;
    how.setTrackIcons = true;
    return FilterToList(tracks, list, code, value, false, how);
}

int tracklist::DisplayFilteredEZItemList(LibraryState& state, CListCtrl* list, int code)
{
    TrackRowWriter writer(ListHandle(list));
    writer.SetRedraw(false);
    writer.DeleteAll();
    if (int sortCode = DistinctSortCode(code))
        records::SortTrackListA(state, sortCode);
    const TrackArray& tracks = state.tracks;
    int rows = 0;
    CString previous;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i) {
        const CString* field = DistinctField(tracks[i], code);
        if (!field || *field == previous)
            continue;
        previous = *field;
        if (writer.InsertText(rows, previous) >= 0)
            ++rows;
    }
    writer.SetRedraw(true);
    return rows;
}
