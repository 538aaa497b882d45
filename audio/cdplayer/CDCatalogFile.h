// The CD catalogue file on disk: appending an album reads the file, adds
// the album to its text (CDCatalog) and puts the new text in the file's
// place in one step, so a failure at any moment leaves the old catalogue.
#pragma once

#include "audio/cdplayer/CDCatalog.h"

#include <windows.h>

// How an append ended.
enum class CDCatalogSave
{
    Written,        // the file holds the album now
    NotACatalogue,  // the file holds no catalogue root: left untouched
    ReadFailed,     // the file exists but could not be read: left untouched
    WriteFailed,    // the new text could not be written: the file is as it was
};

// Appends the album to the catalogue at path (a new catalogue when there is
// no file, or an empty one). eachLine runs before each line read (the
// window lets its waiting messages through). On ReadFailed and WriteFailed
// *error holds the system's error.
CDCatalogSave AppendToCatalogFile(const CString& path, const CDCatalogAlbum& album, DWORD* error,
                                  void (*eachLine)() = nullptr);

// The whole file's text as the catalogue reads it (lines joined with
// "\r\n"); false when the file cannot be read.
bool ReadCatalogFile(const CString& path, CString& text, DWORD* error = nullptr);
