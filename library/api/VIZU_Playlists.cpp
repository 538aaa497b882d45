// VIZU's playlist entries: playlist and history files, their views and
// folders, and M3U files. They hand the caller's controls (by window
// handle), arrays and paths to library/playlists; none needs the library's
// state, so none takes the lock.
#include "library/api/VIZU.h"

#include "framework/ui/AfxWin.h"
#include "framework/ui/CImageList.h"
#include "framework/ui/CTreeCtrl.h"
#include "library/maintenance/MaintenanceScans.h"
#include "library/playlists/PlaylistFiles.h"

namespace {

HWND Handle(const CWnd* control)
{
    return control ? control->GetSafeHwnd() : nullptr;
}

HIMAGELIST Images(const CImageList* images)
{
    return images ? images->GetSafeHandle() : nullptr;
}

} // namespace

int VIZU::XML_SavePLFromList(CString path, CListCtrl* list)
{
    return playlists::SavePlaylistFromList(path, Handle(list));
}

bool VIZU::XML_SavePLFromArray(CString path, CArray<CTrackRecord, CTrackRecord&>* tracks)
{
    if (!tracks)
        return false;
    return playlists::SavePlaylistFromArray(path, *tracks);
}

bool VIZU::XML_AppendToPlaylist(CArray<CString, CString&>* files, CString path)
{
    if (!files)
        return false;
    return playlists::AppendFilesToPlaylist(*files, path);
}

bool VIZU::EmptyPlaylist(CString path)
{
    return playlists::WriteEmptyPlaylist(path);
}

bool VIZU::DeletePlaylist(CString path)
{
    return playlists::DeletePlaylistFile(path);
}

int VIZU::XML_DisplayPL(CListCtrl* list, CImageList*, CString path, bool checkExists)
{
    return playlists::DisplayPlaylist(Handle(list), path, checkExists, false);
}

int VIZU::XML_DisplayPLIcons(CListCtrl* list, CImageList*, CString path, bool)
{
    return playlists::DisplayPlaylist(Handle(list), path, false, true);
}

int VIZU::EnumeratePlaylists(CTreeCtrl* tree, CImageList* images, CString folder)
{
    return playlists::ListPlaylistsIntoTree(Handle(tree), Images(images), folder, "Playlists", 1, 2);
}

int VIZU::EnumerateHistoryLists(CTreeCtrl* tree, CImageList* images, CString folder)
{
    return playlists::ListPlaylistsIntoTree(Handle(tree), Images(images), folder, "History", 2, 10);
}

int VIZU::EnumeratePlaylistsToList(CListCtrl* list, CString folder)
{
    return playlists::ListPlaylistsIntoList(Handle(list), folder, false);
}

int VIZU::EnumeratePlaylistsToThumbList(CListCtrl* list, CString folder)
{
    return playlists::ListPlaylistsIntoList(Handle(list), folder, true);
}

int VIZU::GetPlaylistCount(CString folder)
{
    return playlists::CountPlaylists(folder);
}

int VIZU::ChangeDriveLetterInPlaylist(CString path, CString, CString)
{
    char from = 0, to = 0;
    if (!AskDriveLetters(from, to))
        return -1;
    return playlists::ChangePlaylistDrive(path, from, to);
}

int VIZU::XML_SavePLToM3U(CString path)
{
    return playlists::ExportPlaylistToM3u(path);
}

int VIZU::XML_CreatePlaylistFromM3U(CString m3uPath, CString playlistPath)
{
    return playlists::ImportM3uToPlaylist(m3uPath, playlistPath);
}
