// What the library dialogs use of the import besides VIZU's members.
#pragma once

#include "framework/core/CString.h"

class CListCtrl;

// Searches folder (and, when asked, its subfolders) for music files into
// rows of the list: a row's text is the file name, column 1 its full path,
// and its position and item data the number of music files found before it
// in the same folder. Escape is checked on the list's parent window.
void SearchFolderForMusicFiles(CListCtrl* list, CString folder, bool subfolders, bool* abort);

// The items of the add wizard's search page that the search writes.
constexpr int IDC_WIZ_SEARCHFOLDER = 7071;
constexpr int IDC_WIZ_MP3COUNT = 7072;
constexpr int IDC_WIZ_WAVCOUNT = 7073;
// The items of the add wizard's last page that the batch add uses.
constexpr int IDC_WIZ_ADDSTATUS = 7078;
constexpr int IDC_WIZ_ADDPROGRESS = 7079;
constexpr int IDC_WIZ_EXCEPTIONS = 7080;
