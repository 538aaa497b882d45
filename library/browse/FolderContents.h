// The music files of a folder on disk as track rows of a list control, and
// with showOtherFiles its video and picture files as rows of their own,
// without touching the library. Fields come from each file's tags or from
// its name; every file starts from an empty TAG_INFO.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>

namespace browse {

struct FolderListing
{
    bool readTags = false;
    bool recurse = false;
    bool showOtherFiles = false;
    bool plainIcons = false;        // item image 0 for every row
    bool maskFromIni = false;       // names parsed by the pattern read at the start
    CString mask;                   // KVLIB FilenameParseString
    CString delimiter;              // KVLIB FilenameParseDelim
};

// Rows for the folder's files put in at positions 0, 1, ... (ahead of the
// rows the list holds). 0 when the listing ran to its end, -1 when aborted
// is null or the user chose to abort at Escape (*aborted then set).
// Sub-folders, with recurse, are listed with the plain rules.
int ListFolder(const CString& folder, HWND list, const FolderListing& how, bool* aborted);

// The list emptied and given the folder's rows (the pattern of "KVLib.ini"
// for names), drawing off meanwhile; same results.
int ListFolderAfresh(const CString& folder, HWND list, FolderListing how, bool* aborted);

} // namespace browse
