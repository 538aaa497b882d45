// Downloading an album-art picture from the web into an image file: by
// default the program's temporary album-art image, or a file the caller
// names (one per deck).
#pragma once

#include "framework/core/CString.h"

// The temporary album-art image: the program folder + "KVLib.ini"
// ALBUMART/TempImageFile (at most 127 characters), default
// "amazonimage.jpg".
CString GetAlbumArtImagePath();

// Fetches the address into the target file (empty: GetAlbumArtImagePath).
// True only when the whole picture arrived with a success status and took
// the file's place; then the file holds exactly the body. Otherwise false,
// the file keeps its previous picture, and *error (when given) says why.
// Blocks until the download ends: call it from a worker thread.
bool DownloadAlbumArtImage(const CString& url, const CString& target = CString(),
                           CString* error = nullptr);
