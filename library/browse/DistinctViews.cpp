#include "library/browse/DistinctViews.h"

#include "framework/win/CWaitCursor.h"
#include "library/records/RecordAccess.h"
#include "library/records/RecordSort.h"
#include "library/state/LibraryState.h"
#include "library/state/MessagePump.h"
#include "library/tracklist/SearchFilter.h"
#include "library/tracklist/TrackListFill.h"

namespace {

struct TreeLook
{
    const char* root;
    int image;
};

// The root item's text and the image of every item of a field code.
TreeLook TreeLookOf(int code)
{
    switch (code) {
    case browse::kFieldArtist: return {"Artist List", 4};
    case browse::kFieldAlbum: return {"Album List", 3};
    case browse::kFieldGenre: return {"Genre List", 7};
    case browse::kFieldYear: return {"Year List", 10};
    case browse::kFieldTempo: return {"BPM List", 6};
    default: return {"", 0};
    }
}

HTREEITEM InsertTreeItem(HWND tree, HTREEITEM parent, const CString& text, int image)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text.GetString());
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void DeleteChildren(HWND tree, HTREEITEM parent)
{
    for (;;) {
        HTREEITEM child = reinterpret_cast<HTREEITEM>(SendMessageA(
            tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
        if (!child || !SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child)))
            return;
    }
}

// The library sorted ascending by the field's sort code, the sort recorded
// (nothing for codes that give no values, or an empty library).
void SortLibraryByField(LibraryState& state, int code)
{
    if (int sortCode = browse::FieldSortCode(code))
        records::SortTrackListA(state, sortCode);
}

} // namespace

int browse::DisplayFilteredTree(LibraryState& state, HWND tree, int code, HIMAGELIST images,
                                HTREEITEM parent)
{
    if (!tree || !IsWindow(tree))
        return 0;
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    if (!parent)
        SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    else
        DeleteChildren(tree, parent);
    // Image-list type 1 names no list of a tree view: the tree keeps the
    // images its owner gave it.
    SendMessageA(tree, TVM_SETIMAGELIST, 1, reinterpret_cast<LPARAM>(images));
    SortLibraryByField(state, code);
    const TreeLook look = TreeLookOf(code);
    if (!parent)
        parent = InsertTreeItem(tree, TVI_ROOT, look.root, look.image);
    int count = 0;
    if (parent && FieldSortCode(code)) {
        const TrackArray& tracks = state.tracks;
        for (uint32_t at : FirstOfEachField(tracks, LibraryOrder(tracks), code))
            if (InsertTreeItem(tree, parent, FieldValue(tracks[at], code), look.image))
                ++count;
    }
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    return count;
}

int browse::DisplayFilteredList(LibraryState& state, HWND list, int code)
{
    TrackRowWriter writer(list);
    if (!writer.Alive())
        return 0;
    writer.SetRedraw(false);
    writer.DeleteAll();
    SortLibraryByField(state, code);
    int count = 0;
    if (FieldSortCode(code)) {
        const TrackArray& tracks = state.tracks;
        for (uint32_t at : FirstOfEachField(tracks, LibraryOrder(tracks), code))
            if (writer.InsertText(0, FieldValue(tracks[at], code)) >= 0)
                ++count;
    }
    writer.SetRedraw(true);
    return count;
}

int browse::DisplayComboValues(const TrackArray& tracks, HWND combo, int code)
{
    if (!combo || !IsWindow(combo) || tracks.IsEmpty())
        return 0;
    const std::vector<DistinctValue> values = DistinctTextValues(tracks, code);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    int count = 0;
    for (const DistinctValue& v : values) {
        const CString value = FieldValue(tracks[static_cast<INT_PTR>(v.first)], code);
        // The index the box gave the new item (its place in a sorted box):
        // a prefix search could land on a longer value that begins alike.
        const LRESULT item =
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(value.GetString()));
        if (item < 0)
            continue;
        SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(item),
                     static_cast<LPARAM>(v.sortedPosition));
        ++count;
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    return count;
}

int browse::DisplayAlbumTracks(TrackArray& tracks, HWND list, int code, const CString& value)
{
    TrackRowWriter writer(list);
    if (!writer.Alive())
        return 0;
    if (tracks.IsEmpty()) {
        writer.SetRedraw(false);
        writer.DeleteAll();
        writer.SetRedraw(true);
        return 0;
    }
    TracksInUse inUse;
    CWaitCursor wait;
    writer.SetRedraw(false);
    writer.DeleteAll();
    TrackMatcher matcher(LibraryCaseFold(), value.str());
    LoopPump pacer;
    int rows = 0;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i) {
        if (pacer.Step() && !writer.Alive())
            return rows;
        if (i >= tracks.GetSize())
            break;
        std::string tempo;
        if (!matcher.FilterEquals(MatchFieldsOf(tracks[i], code == 26 ? &tempo : nullptr), code))
            continue;
        TrackRow row;
        row.text[0].Format("%02d - %s", rows + 1, tracks[i].m_Title.GetString());
        row.written[0] = true;
        row.Put(8, tracks[i].m_FileName);
        if (writer.Insert(rows, row, 0, rows) >= 0)
            ++rows;
    }
    writer.SetRedraw(true);
    return rows;
}

int browse::DistinctCount(const TrackArray& tracks, int code)
{
    return static_cast<int>(DistinctTextValues(tracks, code).size());
}

int browse::BuildDescriptorArray(const TrackArray& tracks,
                                 CArray<tagAlbumDescriptor, tagAlbumDescriptor&>& target, int code)
{
    target.RemoveAll();
    target.FreeExtra();
    if (tracks.IsEmpty())
        return 0;
    const std::vector<DistinctValue> values = DistinctTextValues(tracks, code);
    target.SetSize(0, static_cast<INT_PTR>(values.size()));
    for (const DistinctValue& v : values) {
        const CTrackRecord& rec = tracks[static_cast<INT_PTR>(v.first)];
        tagAlbumDescriptor entry;
        entry.Album = rec.m_Album;
        entry.Artist = rec.m_Artist;
        entry.Path = rec.m_FileName;
        target.Add(entry);
    }
    return static_cast<int>(target.GetSize());
}

int browse::GetDescriptor(const CArray<tagAlbumDescriptor, tagAlbumDescriptor&>& array, int n,
                          tagAlbumDescriptor* entry)
{
    if (n < 0 || n >= array.GetSize())
        return -1;
    if (entry)
        *entry = array[n];
    return 0;
}
