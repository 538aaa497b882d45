// Small helpers over one Windows service each: shell item-id lists, list
// column widths and row sorting, a media file's length, file tests and the
// master volume of a mixer device.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include "framework/core/CString.h"

class CListCtrl;

// The two lists joined into a new one allocated (zero-filled) with the
// shell's allocator, which the caller frees with CoTaskMemFree. A missing
// first list counts as empty; a missing second list as an empty one (the
// result still ends with its terminator). Null when memory runs out.
LPITEMIDLIST ConcatItemIdLists(LPCITEMIDLIST first, LPCITEMIDLIST second);

// The widths of the columns 0 to 10 of a track list (kept in the settings
// file as one raw block), and setting them back from the low 16 bits.
const int kSavedColumns = 11;
void SaveColumnWidths(const CListCtrl& list, int widths[kSavedColumns]);
void RestoreColumnWidths(CListCtrl& list, const int widths[kSavedColumns]);

// What CompareListRows sorts by: handed to CListCtrl::SortItemsEx, whose
// callback gets the two rows' indices.
struct ListRowSortData
{
    HWND hList;
    int nColumn;
    BOOL bAscending;
};

// Columns 9 and 10 (a track list's index and play counter) compare as
// decimal numbers, the others as text with lstrcmpA (locale-aware; letter
// case tells only between otherwise equal texts). -1, 0 or 1; a
// descending order swaps the rows.
int CALLBACK CompareListRows(LPARAM rowA, LPARAM rowB, LPARAM sortData);

// The length of a media file in whole seconds through DirectShow's media
// detector (COM must be initialised on the calling thread); 0 when the file
// cannot be read, -1 when the detector cannot be created.
int GetMediaLength(const CString& path);

// True when the file system has an entry (file or folder) by that name.
bool FileExists(const CString& path);

// The current value of the speakers' volume control on the mixer device,
// or 0 when there is no such device or control (a slider position that
// means silence rather than nonsense).
int GetMasterVolume(UINT mixerIndex);
// The control's minimum and maximum into the out values when it is found
// (left untouched otherwise); returns 0.
int GetMasterVolumeRange(UINT mixerIndex, int* minimum, int* maximum);
