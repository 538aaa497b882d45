// The library's state: one structure, reached only through the held library
// lock. KVLib's feature code (records, file, tags, import, tracklist) is
// handed it, or the arrays it works on, by VIZU's entry points.
#pragma once

#include "framework/core/CArray.h"
#include "framework/core/CString.h"
#include "library/api/LibraryArrays.h"
#include "library/api/LibraryTypes.h"
#include "library/records/CTrackRecord.h"
#include "library/state/LibrarySettings.h"

class CImageList;
class LibraryFileFormat;
class RandomDrawSource;
class Waiting;

using TrackArray = CArray<CTrackRecord, CTrackRecord&>;
using TextArray = CArray<CString, CString&>;

// Everything the open library keeps between calls: one per process, reached
// only through a held lock (LibraryLock lock; LibraryState& state =
// lock.State();).
struct LibraryState
{
    // The exported arrays (library/api/LibraryArrays.h): the program links
    // against them by name, so they stay where they are; the state refers
    // to them so that feature code is handed them with the rest.
    TrackArray& tracks = m_Tracks;                 // the open library's records
    TrackArray& searchTracks = m_SearchTracks;     // the last search's results
    TrackArray& filteredTracks = m_FilteredTracks; // the last filter's results
    TrackArray& jukeTracks = m_iJukeTracks;
    CArray<tagAlbumDescriptor, tagAlbumDescriptor&>& albums = m_AlbumArray;
    CArray<tagAlbumDescriptor, tagAlbumDescriptor&>& artists = m_ArtistArray;
    CArray<tagAmazonRecord, tagAmazonRecord&>& amazon = m_AmazonArray;
    CArray<tagEXArray, tagEXArray&>& ex = m_EXArray;
    TextArray& addTracks = m_AddTracks;            // files a folder search collected
    TextArray& exceptions = m_ExceptionArray;      // the import's refusals

    bool open = false;         // a library file is open
    bool changed = false;      // the open library has unsaved changes
    bool switched = false;     // a library manager made another library the open one
    CString title;             // the open file's name
    CString fullPath;          // the open file's path
    CString startFolder;       // where the library dialogs start
    // The artist and album thumbnail image lists are built (cleared
    // whenever a library object is set up).
    bool thumbnailsArtist = false;
    bool thumbnailsAlbum = false;
    CImageList* trackIcons = nullptr;
    Waiting* waiting = nullptr;
    int objects = 0;           // VIZU objects alive; only the first owns the state
    LibraryFileFormat* format = nullptr;   // reads and writes library files
    LibrarySettings settings;

    // The last sort of tracks (code 1 to 10; 0 before the first) and its
    // direction: clicking one column again alternates it.
    int lastSortCode = 0;
    bool lastSortDescending = false;
    // Walks of tracks that let messages run (TracksInUse guards); while
    // there is one, records are not added, removed or moved.
    int tracksInUse = 0;
    // Called after records of tracks were sorted or removed, so that lists
    // whose item data are record positions follow their records (set by
    // library/browse when it fills such a list).
    void (*tracksMoved)(LibraryState& state) = nullptr;
    // The random pick's number source (null: KVLib's own).
    RandomDrawSource* randomSource = nullptr;

    // Installed by the library dialogs, a layer above, when KVLib starts
    // (a test installs its own): the library manager's header caption
    // (VIZU::SetTabHeader) and the watch-folder dialog, run modally, which
    // answers whether its scans added a file (VIZU::DisplayWatchFolders).
    void (*tabHeaderBuilder)(const CString& text) = nullptr;
    bool (*watchFoldersDialog)() = nullptr;
    // The drive-letter prompt (VIZU::ChangeDriveLetterInLib and ...InList):
    // fills the old and new letters as typed, true for OK.
    bool (*driveLetterPrompt)(CString& oldLetter, CString& newLetter) = nullptr;
};

// Small helpers for KVLib's code that runs without the lock held (tag
// reading on the decks' workers, pumped walks): each takes the lock.
// The small icons of the library's list views (null before the first VIZU).
CImageList* LibraryTrackIcons();
// The progress window of long operations (null before the first VIZU).
Waiting* LibraryWaitingWindow();
// Marks the open library changed, so the next save or close writes it.
void MarkLibraryChanged();
// Set by a library manager window when it makes another library the open one.
void SetLibSwitched(bool switched);


// Size, dates, track count and version of one library file.
void GetLibFileInfo(CString path, LIB_INFO* info);
