// The library's older files and its exports, over real files and the
// caller's controls: archive playlists, the archive library, the older XML
// layout, the list of library files in a folder, and the CSV and text
// exports. VIZU's entries (library/api/VIZU_Legacy.cpp) call these. None
// of them lets an exception out.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/legacy/ExportText.h"
#include "library/records/CTrackRecord.h"

class CImageList;
class CListCtrl;

namespace legacy {

using TrackArray = CArray<CTrackRecord, CTrackRecord&>;

// Archive playlists. The writers add ".txl" unless the path ends in it, in
// any letter case (playlists::PlaylistPath); each writes the whole new file
// or leaves the old one.
CString WithPlaylistExtension(const CString& path);
// An empty (zero-byte) playlist; false when it cannot be created.
bool CreateArchivePlaylist(const CString& path);
// One record per row of the list, read from the tags of the file in the
// row's sub-item 8 (a row whose tags cannot be read gets an empty record).
// The number written, 0 when the file cannot be created, -1 when writing
// failed.
int WritePlaylistFromList(const CString& path, CListCtrl* list);
// Appends the record of a music file's tags (an empty one when they cannot
// be read); false when the playlist does not exist or cannot be written.
bool AppendTrackToPlaylist(const CString& playlist, const CString& music);
// Appends the file's records to tracks: the number appended, -1 when the
// file is missing, empty, cannot be opened or is damaged (the records read
// before stay).
int LoadPlaylistToArray(const CString& path, TrackArray* tracks);
// Shows path + ".txl" as the list's rows, numbered 1, 2, 3 ...: 0, or -1
// when the file is missing, empty, cannot be opened or is damaged (rows
// added before stay).
int DisplayPlaylist(CListCtrl* list, CImageList* images, const CString& path,
                    bool checkExists);

// Archive library: the records replace tracks; the number read, or -1
// (missing file, unreadable header, damaged records).
int LoadArchiveLibrary(const CString& path, TrackArray* tracks);
// The older XML layout: the records written (-1 when the file cannot be
// written, the old file then left as it was).
int SaveOlderLayout(const CString& path, const TrackArray& tracks);
// The number of TRK elements of a file in either XML layout; -1 when it
// cannot be read.
int CountOlderLayout(const CString& path);

// The files of folder whose names end in extension, as rows of the list
// (name, date, track count, version, path), depth first into subfolders
// when recurse is set; Escape asks whether to stop. The rows this level
// added, or -1 when stopped (aborted set) or when aborted is null.
int DisplayLibs(const CString& extension, const CString& folder, CListCtrl* list, bool recurse,
                bool* aborted, CImageList* images);

// The exports: the Save dialog, then the records of the source file. The
// number of records written, -1 when the dialog was cancelled or the file
// could not be written.
int ExportToCSV(const tagExportFields* fields);
int ExportToSimpleTextList(const CString& source);

} // namespace legacy
