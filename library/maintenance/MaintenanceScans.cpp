#include "library/maintenance/MaintenanceScans.h"

#include "library/maintenance/DriveLetters.h"
#include "library/maintenance/DuplicateScan.h"
#include "library/maintenance/FileCheck.h"
#include "library/records/RecordAccess.h"

namespace maintenance {

namespace {

const char kScanComplete[] = "Duplicate scan complete";
const int kTitleSort = 7;

// Removes the first record of the path when another record keeps what it
// holds (the same song, or the same path).
bool RemoveCopy(LibraryState& state, const CString& path, bool byPath)
{
    if (RemovableCopy(state.tracks, path, byPath) < 0)
        return false;
    return records::DelRecord(state, path);
}

} // namespace

int ListSongCopies(LibraryState& state, ScanFrame& frame)
{
    const TrackArray& tracks = state.tracks;
    const INT_PTR count = tracks.GetSize();
    if (count == 0)
        return -1;
    records::SortLibraryTracks(state, kTitleSort, false);
    TracksInUse inUse;
    const std::vector<SongGroup> groups = GroupSongCopies(tracks);

    frame.Range(count);
    for (INT_PTR i = 0; i < count; ++i) {
        frame.Record(tracks[i].m_FileName);
        frame.Step();
        if (frame.PumpOrStop()) {
            frame.Rewind();
            return -1;
        }
    }
    if (groups.empty()) {
        frame.Status(kScanComplete);
        frame.Rewind();
        return 0;
    }

    frame.Status("Building duplicate list...");
    frame.Rewind();
    frame.Marquee(true);
    const bool stopped = frame.PumpOrStop();
    frame.Marquee(false);
    frame.Rewind();
    if (stopped)
        return -1;

    frame.Status("Inserting dupes into list...");
    frame.Redraw(false);
    frame.Rewind();
    frame.Range(static_cast<INT_PTR>(groups.size()));
    int row = 0;
    int dupes = 0;
    for (const SongGroup& group : groups) {
        frame.Step();
        if (frame.PumpOrStop()) {
            return frame.Finish(-1);
        }
        frame.InsertRow(row++, "Original", tracks[group.original]);
        frame.Record("Building List");
        for (INT_PTR copy : group.copies) {
            frame.InsertRow(row++, "-Dupe", tracks[copy]);
            ++dupes;
        }
    }
    return frame.Finish(dupes, kScanComplete);
}

int ListLaterCopies(LibraryState& state, ScanFrame& frame)
{
    const TrackArray& tracks = state.tracks;
    const INT_PTR count = tracks.GetSize();
    if (count == 0)
        return -1;
    records::SortLibraryTracks(state, kTitleSort, false);
    TracksInUse inUse;
    const LaterCopies later = FindLaterCopies(tracks);

    frame.Range(count);
    frame.Status("Creating list of unique items...");
    for (INT_PTR i = 0; i < count; ++i) {
        frame.Step();
        if (frame.PumpOrStop()) {
            frame.Rewind();
            return -1;
        }
    }
    frame.Rewind();

    frame.Status("Building duplicate list...");
    frame.Pump();
    frame.Range(count);
    frame.Redraw(false);
    std::size_t next = 0;
    for (INT_PTR i = 0; i < count; ++i) {
        frame.Record(tracks[i].m_FileName);
        frame.Step();
        frame.Pump();
        if (next < later.listed.size() && later.listed[next] == i) {
            frame.InsertRow(0, "-Dupe", tracks[i]);
            ++next;
        }
    }
    return frame.Finish(later.copies, kScanComplete);
}

int ListSharedPaths(LibraryState& state, ScanFrame& frame)
{
    const TrackArray& tracks = state.tracks;
    const INT_PTR count = tracks.GetSize();
    if (count == 0)
        return -1;
    TracksInUse inUse;
    const std::vector<INT_PTR> copies = FindSharedPathCopies(tracks);

    frame.Range(count);
    frame.Redraw(false);   // each row goes to the top
    int rows = 0;
    std::size_t next = 0;
    for (INT_PTR i = 0; i < count; ++i) {
        frame.Record(tracks[i].m_FileName);
        frame.Step();
        if (frame.PumpOrStop()) {
            return frame.Finish(rows);
        }
        if (next < copies.size() && copies[next] == i) {
            frame.InsertRow(0, "Dupe", tracks[i]);
            ++rows;
            ++next;
        }
    }
    return frame.Finish(rows, kScanComplete);
}

int RemoveMarkedCopies(LibraryState& state, ScanFrame& frame)
{
    CListCtrl* list = frame.List();
    if (!list)
        return 0;
    frame.Redraw(false);
    int removed = 0;
    for (int row = 0; row < list->GetItemCount();) {
        if (frame.PumpOrStop()) {
            frame.Rewind();
            break;
        }
        if (list->GetItemText(row, 0).CompareNoCase("-Dupe") == 0
            && RemoveCopy(state, list->GetItemText(row, 2), false)) {
            list->DeleteItem(row);
            ++removed;
            continue;   // the next row moved into this one
        }
        ++row;
    }
    frame.Redraw(true);
    return removed;
}

int RemoveListedCopies(LibraryState& state, ScanFrame& frame)
{
    CListCtrl* list = frame.List();
    if (!list)
        return 0;
    frame.Redraw(false);
    const int rows = list->GetItemCount();
    int removed = 0;
    for (int row = 0; row < rows; ++row) {
        if (frame.PumpOrStop()) {
            frame.Redraw(true);
            return removed;   // the rows stay
        }
        // The path scan marks its rows "Dupe": those keep the last record
        // of their path; every other row the last record of its song.
        const bool byPath = list->GetItemText(row, 0).CompareNoCase("Dupe") == 0;
        if (RemoveCopy(state, list->GetItemText(row, 2), byPath))
            ++removed;
    }
    list->DeleteAllItems();
    frame.Redraw(true);
    return removed;
}

int RemoveSelectedRows(LibraryState& state, CListCtrl* list)
{
    if (!list || !list->GetSafeHwnd())
        return 0;
    int removed = 0;
    int after = -1;   // the search for the next selected row starts after it
    for (int row = list->GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = list->GetNextItem(after, LVNI_SELECTED)) {
        if (records::DelRecord(state, list->GetItemText(row, 2))) {
            list->DeleteItem(row);
            ++removed;
            after = row - 1;
        } else {
            after = row;   // no record of that path: the row stays, selected
        }
    }
    return removed;
}

int ListBrokenLinks(LibraryState& state, ScanFrame& frame)
{
    const TrackArray& tracks = state.tracks;
    const INT_PTR count = tracks.GetSize();
    if (count == 0)
        return -1;
    TracksInUse inUse;
    frame.Range(count);
    frame.Redraw(false);   // each row goes to the top
    const std::vector<bool> exists = FilesExist(tracks);
    int broken = 0;
    for (INT_PTR i = 0; i < count; ++i) {
        frame.Record(tracks[i].m_FileName);
        frame.Pump();
        if (!exists[static_cast<std::size_t>(i)]) {
            frame.InsertRow(0, "BadLink", tracks[i]);
            ++broken;
        }
        frame.Step();
    }
    return frame.Finish(broken, "Broken file link scan complete");
}

int CountBrokenLinks(LibraryState& state)
{
    const TrackArray& tracks = state.tracks;
    const INT_PTR count = tracks.GetSize();
    if (count == 0)
        return -1;
    TracksInUse inUse;
    LoopPump pump;
    pump.Step();
    const std::vector<bool> exists = FilesExist(tracks);
    int broken = 0;
    for (INT_PTR i = 0; i < count; ++i) {
        pump.Step();
        if (!exists[static_cast<std::size_t>(i)])
            ++broken;
    }
    return broken;
}

int RemoveBrokenLinks(LibraryState& state)
{
    TrackArray& tracks = state.tracks;
    if (state.tracksInUse > 0)
        return 0;
    // Kept records move up over the removed ones in one pass.
    const INT_PTR count = tracks.GetSize();
    const std::vector<bool> exists = FilesExist(tracks);
    INT_PTR kept = 0;
    for (INT_PTR i = 0; i < count; ++i) {
        if (!exists[static_cast<std::size_t>(i)])
            continue;
        if (kept != i)
            tracks[kept] = tracks[i];
        ++kept;
    }
    const int removed = static_cast<int>(count - kept);
    if (removed > 0) {
        tracks.SetSize(kept);
        state.changed = true;
    }
    return removed;
}

int ChangeDriveLetterInTracks(LibraryState& state, char from, char to)
{
    TrackArray& tracks = state.tracks;
    int changed = 0;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
        changed += ChangeDriveLetter(tracks[i].m_FileName, from, to);
    if (changed > 0)
        state.changed = true;
    return changed;
}

int ChangeDriveLetterInList(CListCtrl* list, char from, char to)
{
    const int pathColumn = 8;
    if (!list || !list->GetSafeHwnd())
        return 0;
    int changed = 0;
    const int rows = list->GetItemCount();
    for (int row = 0; row < rows; ++row) {
        CString path = list->GetItemText(row, pathColumn);
        if (ChangeDriveLetter(path, from, to) == 0)
            continue;
        list->SetItemText(row, pathColumn, path);
        list->Update(row);
        ++changed;
    }
    return changed;
}

int RefreshTags(const TrackArray& tracks, ScanFrame& frame, bool (*update)(const CString& path))
{
    const INT_PTR count = tracks.GetSize();
    if (count == 0)
        return 0;
    frame.Range(count);
    int updated = 0;
    for (INT_PTR i = 0; i < count; ++i) {
        frame.Record(tracks[i].m_FileName);
        frame.Step();
        if (frame.PumpOrStop()) {
            frame.Rewind();
            return updated;
        }
        if (update(tracks[i].m_FileName))
            ++updated;
        else
            frame.InsertRow(0, "Update", tracks[i]);
    }
    frame.Status("Update library from tags complete");
    frame.Rewind();
    return updated;
}

} // namespace maintenance
