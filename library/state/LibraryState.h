// What KVLib's own code reaches of the library state besides VIZU's members.
#pragma once

#include "framework/core/CString.h"
#include "library/api/LibraryTypes.h"
#include "library/state/LibrarySettings.h"

class CImageList;
class LibraryFileFormat;
class Waiting;

// Everything the open library keeps between calls besides its exported
// arrays: one per process, reached only through a held lock
// (LibraryLock lock; LibraryState& state = lock.State();).
struct LibraryState
{
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
};

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
