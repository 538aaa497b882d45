// Playlist and history files (laid out as the library file): written from
// a list control's track rows or from an array, appended to, emptied,
// deleted, read, shown in list controls, listed from their folders, moved
// to another drive letter, and translated from and to M3U files. VIZU's
// playlist entries (library/api/VIZU_Playlists.cpp) hand these their
// arguments; none of them needs the library's state.
//
// Every write builds the whole new file first and puts it in place in one
// step (WriteFileWhole), so a playlist on disk is the old file or the
// complete new one, never an empty or cut-short one.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/records/CTrackRecord.h"

#include <windows.h>
#include <commctrl.h>

namespace playlists {

using TrackArray = CArray<CTrackRecord, CTrackRecord&>;
using PathArray = CArray<CString, CString&>;

// --- files (PlaylistFiles.cpp)

// Writes the list's track rows as a playlist (".txl" appended unless the
// path ends in it in any letter case). The rows written (0 for an empty
// list, which writes an empty playlist); -1 when the file could not be
// written (the old file is then as it was) or the list went away.
int SavePlaylistFromList(const CString& path, HWND list);
// Writes the records as a playlist; false when the file could not be written.
bool SavePlaylistFromArray(const CString& path, const TrackArray& tracks);
// Adds one record per file whose tags can be read at the end of the
// playlist; false, with the file unchanged, when there is no file to add,
// the playlist cannot be read or is none, or it could not be written.
bool AppendFilesToPlaylist(const PathArray& files, const CString& path);
// Rewrites the file (path unchanged) as an empty playlist; false when it
// could not be written.
bool WriteEmptyPlaylist(const CString& path);
// Deletes the file (path unchanged); false when it could not be deleted.
bool DeletePlaylistFile(const CString& path);
// Appends the records of a playlist's text; the number appended (0 when
// the text does not parse or has no library root).
int ReadPlaylistText(const CString& text, TrackArray& records);

// --- views (PlaylistViews.cpp)

// Shows the playlist's tracks as the list's rows: -1 (after telling the
// user) when the file does not exist, else the rows added (0 for a file
// that is no playlist). iconRows: the icon view's rows (image 0, row
// numbers as item data) instead of the track rows with type images.
int DisplayPlaylist(HWND list, const CString& path, bool checkExists, bool iconRows);
// The records of the playlist (".txl" appended unless the path ends in it
// in any letter case); false, after telling the user, when the file does
// not exist or cannot be read.
bool ReadPlaylistFile(const CString& path, TrackArray& records);
// "[I/O ERROR] Unable to open file\n<path>" in a message box.
void ReportMissingFile(const CString& path);

// --- folders (PlaylistFolders.cpp)

// Lists the folder's playlists under the tree's top-level item whose text
// is exactly parentText, searched from the top-level item firstSearched (0
// the first); at the top level when there is none. Items get image.
int ListPlaylistsIntoTree(HWND tree, HIMAGELIST images, const CString& folder,
                          const char* parentText, int firstSearched, int image);
// Replaces the list's rows by the folder's playlists, each inserted at the
// top; with withImage each row gets image 0.
int ListPlaylistsIntoList(HWND list, const CString& folder, bool withImage);
int CountPlaylists(const CString& folder);
// Moves the playlist's track paths from drive 'from' to drive 'to' and
// writes it back: the paths changed, or -1 when the playlist holds no track
// or could not be written.
int ChangePlaylistDrive(const CString& path, char from, char to);

// --- M3U (M3uFiles.cpp)

// Writes path + ".m3u" from the playlist path (".txl" appended unless it
// ends in it): the tracks written, -1 when the playlist does not exist
// (after telling the user) or the M3U file could not be written.
int ExportPlaylistToM3u(const CString& path);
// Builds the playlist from the M3U file's music files: the tracks imported,
// or -1 when the M3U file does not exist (after telling the user), cannot
// be read, or the playlist could not be written (it is then as it was).
int ImportM3uToPlaylist(const CString& m3uPath, const CString& playlistPath);

} // namespace playlists
