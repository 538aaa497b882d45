// What KVLib's own code reaches of the library state besides VIZU's members.
#pragma once

#include "framework/core/CString.h"
#include "library/api/LibraryTypes.h"

class CImageList;
class Waiting;

// The small icons of the library's list views (null before the first VIZU).
CImageList* LibraryTrackIcons();
// The progress window of long operations (null before the first VIZU).
Waiting* LibraryWaitingWindow();
// Marks the open library changed, so the next save or close writes it.
void MarkLibraryChanged();
// Set by a library manager window when it makes another library the open one.
void SetLibSwitched(bool switched);

// The artist and album thumbnail image lists are built (cleared whenever a
// library object is set up).
extern bool g_bThumbnailsArtist;
extern bool g_bThumbnailsAlbum;

// Size, dates, track count and version of one library file.
void GetLibFileInfo(CString path, LIB_INFO* info);
