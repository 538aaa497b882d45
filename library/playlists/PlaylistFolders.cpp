// The playlist and history folders listed into trees and lists, counted,
// and one playlist moved to another drive letter.
#include "library/playlists/PlaylistFiles.h"

#include "framework/core/Exceptions.h"
#include "library/file/LibraryFileFormat.h"
#include "library/playlists/PlaylistText.h"
#include "library/tracklist/TrackListFill.h"

#include <commctrl.h>

#include <vector>

namespace playlists {

namespace {

// The names (without extension) of the folder's playlists, in the order
// the file system gives them.
std::vector<CString> PlaylistNames(const CString& folder)
{
    std::vector<CString> names;
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA(folder + "\\*.txl", &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.push_back(PlaylistName(found.cFileName));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT code)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

CString ItemText(HWND tree, HTREEITEM item)
{
    char text[260] = {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return CString(text);
}

HTREEITEM FindTopLevelItem(HWND tree, const char* text, int firstSearched)
{
    HTREEITEM item = NextItem(tree, nullptr, TVGN_ROOT);
    for (int i = 0; item && i < firstSearched; ++i)
        item = NextItem(tree, item, TVGN_NEXT);
    for (; item; item = NextItem(tree, item, TVGN_NEXT))
        if (ItemText(tree, item) == text)
            return item;
    return nullptr;
}

} // namespace

int ListPlaylistsIntoTree(HWND tree, HIMAGELIST images, const CString& folder,
                          const char* parentText, int firstSearched, int image)
{
    HTREEITEM parent = FindTopLevelItem(tree, parentText, firstSearched);
    if (parent) {
        while (HTREEITEM child = NextItem(tree, parent, TVGN_CHILD))
            if (!SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child)))
                break;
    }
    // Sent with the list type 1, which the tree view does not take: the
    // images the program set on its tree stay.
    SendMessageA(tree, TVM_SETIMAGELIST, 1, reinterpret_cast<LPARAM>(images));
    int count = 0;
    for (const CString& name : PlaylistNames(folder)) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = parent ? parent : TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<char*>(name.GetString());
        insert.item.iImage = image;
        insert.item.iSelectedImage = image;
        if (SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)))
            ++count;
    }
    return count;
}

int ListPlaylistsIntoList(HWND list, const CString& folder, bool withImage)
{
    TrackRowWriter writer(list);
    writer.SetRedraw(false);
    writer.DeleteAll();
    int count = 0;
    for (const CString& name : PlaylistNames(folder)) {
        int row;
        if (withImage) {
            TrackRow text;
            text.Put(0, name);
            row = writer.Insert(0, text, 0, 0);
        } else {
            row = writer.InsertText(0, name);
        }
        if (row >= 0)
            ++count;
    }
    writer.SetRedraw(true);
    return count;
}

int CountPlaylists(const CString& folder)
{
    return static_cast<int>(PlaylistNames(folder).size());
}

int ChangePlaylistDrive(const CString& path, char from, char to)
{
    TrackArray records;
    try {
        libfile::LoadLibToArray(path, records);
    } catch (const CException&) {
        return -1;
    }
    // A playlist that did not read (or holds nothing) is never written over.
    if (records.GetSize() == 0)
        return -1;
    const int changed = ChangeDriveInRecords(records, from, to);
    return SavePlaylistFromArray(path, records) ? changed : -1;
}

} // namespace playlists
