#include "mainwindow/queues/QueueLists.h"

#include "library/api/VIZU.h"
#include "mainwindow/parts/MainWindowParts.h"
#include "skin/create/FindSkinControl.h"
#include "skin/file/Skin.h"
#include "skin/tracklist/TXVTrackList.h"
#include "skin/tracklist/TrackListRules.h"
#include "foundation/tracks/TrackArrays.h"

using namespace queue_rules;

namespace {

const UINT kSelectedFocused = LVIS_SELECTED | LVIS_FOCUSED;

int FirstSelectedRow(const TXVTrackList& list)
{
    return list.GetNextItem(-1, LVNI_SELECTED);
}

CString RowPath(const TXVTrackList& list, int row)
{
    return list.GetItemText(row, tracklist_rules::COL_PATH);
}

// The records of the rows (RowInStep), else the first records with the
// paths, letter case ignored.
void SwapRecordsOfRows(TrackArray& tracks, int row1, const CString& path1, int row2, const CString& path2)
{
    if (!RowInStep(tracks, row1, path1) || !RowInStep(tracks, row2, path2)) {
        SwapTracks(tracks, path1, path2);
        return;
    }
    CTrackRecord copy(tracks[row1]);
    tracks[row1] = tracks[row2];
    tracks[row2] = copy;
}

void MoveRecordOfRow(TrackArray& tracks, int row, const CString& path, bool toTop)
{
    if (!RowInStep(tracks, row, path)) {
        if (toTop)
            MoveTrackToTop(tracks, path);
        else
            MoveTrackToBottom(tracks, path);
        return;
    }
    CTrackRecord copy(tracks[row]);
    tracks.RemoveAt(row);
    if (toTop)
        tracks.InsertAt(0, copy);
    else
        tracks.Add(copy);
}

} // namespace

QueueLists::QueueLists(CWnd& mainWindow, QueueArrays& arrays, MainWindowParts& parts)
    : m_mainWindow(mainWindow), m_arrays(arrays), m_parts(parts)
{
}

// ---- Finding the lists --------------------------------------------------------

TXVTrackList* QueueLists::ListOfType(int type) const
{
    const char* name = SkinNameOfType(type);
    if (!name)
        return nullptr;
    return FindSkinControl<TXVTrackList>(m_mainWindow.GetSafeHwnd(), TheSkin().LookupControlName(name));
}

TXVTrackList* QueueLists::ListOfCode(int code) const
{
    if (code == kCodeDAredero)
        return FindSkinControl<TXVTrackList>(m_mainWindow.GetSafeHwnd(),
                                             TheSkin().LookupControlName("jukequeue"));
    return ListOfType(TypeOfListCode(code));
}

int QueueLists::GetListType(HWND window) const
{
    const HWND main = m_mainWindow.GetSafeHwnd();
    if (window && main) {
        for (int i = 0; i < kListTypeOrderCount; ++i) {
            const int type = kListTypeOrder[i];
            const int32_t id = TheSkin().LookupControlName(SkinNameOfType(type));
            if (id != 0 && ::GetDlgItem(main, static_cast<int>(SkinWindowId(id))) == window)
                return type;
        }
    }
    return kTypeOther;
}

bool QueueLists::IsShown(int type) const
{
    return m_parts.IsListShown(type);
}

void QueueLists::Caption(int code)
{
    m_parts.UpdateQueueCaption(code);
}

void QueueLists::ShowInList(int type)
{
    TrackArray* tracks = ArrayOf(type);
    TXVTrackList* list = ListOfType(type);
    if (tracks && list)
        list->ShowTracks(*tracks);
}

// ---- Moving -------------------------------------------------------------------

bool QueueLists::MoveQueueItemUp(TXVTrackList& list, int type)
{
    const int row = FirstSelectedRow(list);
    if (row <= 0)
        return false;
    const CString moved = RowPath(list, row);
    const CString other = RowPath(list, row - 1);
    list.MoveItem(row, row - 1);
    list.SetItemState(row - 1, kSelectedFocused, kSelectedFocused);
    list.EnsureVisible(row - 1, FALSE);
    if (SwapsRecordsOnMove(type))
        SwapRecordsOfRows(*ArrayOf(type), row, moved, row - 1, other);
    Caption(type);
    return true;
}

bool QueueLists::MoveQueueItemDown(TXVTrackList& list, int type)
{
    const int row = FirstSelectedRow(list);
    if (row < 0 || row + 1 >= list.GetItemCount())
        return false;
    const CString moved = RowPath(list, row);
    const CString other = RowPath(list, row + 1);
    if (list.MoveItem(row + 1, row))
        list.SetItemState(row + 1, kSelectedFocused, kSelectedFocused);
    list.EnsureVisible(row + 1, FALSE);
    if (SwapsRecordsOnMove(type))
        SwapRecordsOfRows(*ArrayOf(type), row, moved, row + 1, other);
    Caption(type);
    return true;
}

bool QueueLists::MoveQueueItemToTop(TXVTrackList& list, int type)
{
    return MoveQueueItemToEnd(list, type, true);
}

bool QueueLists::MoveQueueItemToBottom(TXVTrackList& list, int type)
{
    return MoveQueueItemToEnd(list, type, false);
}

bool QueueLists::MoveQueueItemToEnd(TXVTrackList& list, int type, bool toTop)
{
    const int row = FirstSelectedRow(list);
    if (row < 0 || (toTop ? row == 0 : row + 1 >= list.GetItemCount()))
        return false;
    const CString path = RowPath(list, row);
    if (MovesRecordToEnd(type)) {
        TrackArray& tracks = *ArrayOf(type);
        MoveRecordOfRow(tracks, row, path, toTop);
        if (type == kTypeJukebox)
            m_parts.FillJukeboxQueue();
        else
            list.ShowTracks(tracks);
    }
    Caption(type);
    return true;
}

// ---- Deleting -----------------------------------------------------------------

bool QueueLists::DeleteSelectedQueueItems(TXVTrackList& list, int type)
{
    int row = FirstSelectedRow(list);
    if (row < 0)
        return false;
    // Each selected row once, from the top. The pump may let the user
    // change the list, so the selection is read again at every step: the
    // search goes on after the row just handled (or before its place when
    // that row was deleted).
    while (row >= 0) {
        VIZU::ProcessMessages();
        if (!list.GetSafeHwnd() || row >= list.GetItemCount())
            break;
        bool deleted = false;
        if (RemovesRecords(type)) {
            const CString path = RowPath(list, row);
            if (RemoveRecordOfRow(*ArrayOf(type), row, path) &&
                (type == kTypeJukebox || IsShown(type))) {
                list.DeleteItem(row);
                deleted = true;
            }
        }
        row = list.GetNextItem(deleted ? row - 1 : row, LVNI_SELECTED);
    }
    switch (type) {
    case kTypeQueueA: Caption(kCodeQueueA); break;
    case kTypeQueueB: Caption(kCodeQueueB); break;
    case kTypeRequest: m_parts.UpdateRequestListCaption(); break;
    case kTypeJukebox: m_parts.UpdateJukeboxStatus(); break;
    default: break;
    }
    Caption(type);
    return true;
}

bool QueueLists::RemoveSelectedQueueItem(TXVTrackList& list, int type)
{
    if (FirstSelectedRow(list) < 0)
        return false;
    VIZU::ProcessMessages();
    if (!list.GetSafeHwnd())
        return false;
    const int row = FirstSelectedRow(list);
    if (row < 0)
        return false;
    const CString path = RowPath(list, row);
    if (RemovesRecords(type) && RemoveRecordOfRow(*ArrayOf(type), row, path) &&
        (type == kTypeJukebox || IsShown(type)))
        list.DeleteItem(row);
    switch (type) {
    case kTypeQueueA:
    case kTypeQueueB:
    case kTypeHistory:
    case kTypeRequest:
    case kTypeJukebox:
    case kTypeAutoMix: m_parts.RefillPopupList(type); break;
    default: break;
    }
    switch (type) {
    case kTypeQueueA: Caption(kCodeQueueA); break;
    case kTypeQueueB: Caption(kCodeQueueB); break;
    case kTypeHistory: Caption(kCodeHistory); break;
    case kTypeRequest: m_parts.UpdateRequestListCaption(); break;
    case kTypeJukebox: m_parts.UpdateJukeboxStatus(); break;
    case kTypeAutoMix: Caption(kCodeAutoMix); break;
    default: break;
    }
    return true;
}

// ---- Shuffling and emptying ---------------------------------------------------

void QueueLists::ShuffleQueue(int type)
{
    if (!ShufflesRecords(type))
        return;
    ShuffleTracks(*ArrayOf(type));
    if (type == kTypeJukebox) {
        m_parts.FillJukeboxQueue();
        return;
    }
    ShowInList(type);
    Caption(CaptionCodeOfType(type));
}

bool QueueLists::EmptyList(TXVTrackList& list, int type)
{
    list.DeleteAllItems();
    TXVTrackList* shown = IsShown(type) ? ListOfType(type) : nullptr;
    switch (type) {
    case kTypeQueueA:
    case kTypeQueueB:
    case kTypeHistory:
    case kTypeAutoMix:
        if (shown)
            shown->DeleteAllItems();
        ArrayOf(type)->RemoveAll();
        Caption(ListCodeOfType(type));
        break;
    case kTypeSearch:
        if (shown) {
            shown->DeleteAllItems();
            m_parts.UpdateSearchListCaption();
        }
        m_arrays.search.RemoveAll();
        Caption(kCodeSearch);
        break;
    case kTypeRequest:
        if (shown) {
            shown->DeleteAllItems();
            m_parts.UpdateRequestListCaption();
        }
        m_arrays.request.RemoveAll();
        Caption(kCodeRequest);
        break;
    case kTypeJukebox:
        m_arrays.jukebox.RemoveAll();
        m_parts.FillJukeboxQueue();
        break;
    default:
        break;
    }
    Caption(type);
    return true;
}
