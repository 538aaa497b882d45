// The track list's columns: captions, widths and positions, the column
// settings of "KVLib.ini", the sort of a list's rows by a column; and the
// seam through which VIZU::SetTabHeader reaches the library manager dialog,
// which lives in a layer above the library.
#pragma once

#include "framework/core/CString.h"
#include "library/state/LibrarySettings.h"
#include "library/tracklist/TrackListTypes.h"

#include <basetsd.h>   // LONG_PTR

// Builds a library manager dialog object without a window, sets its header
// bar's caption to text and destroys it again.
using TabHeaderBuilder = void (*)(const CString& text);

// Installed by the library dialogs when KVLib starts; the previous one back.
TabHeaderBuilder SetTabHeaderBuilder(TabHeaderBuilder builder);

namespace tracklist {

// The display positions of the column types from "KVLib.ini".
void InitTrackListColumnOrder(LibrarySettings& settings);
// Replaces the list's columns: the plain captions, or the track list's
// (positions from InitTrackListColumnOrder, the track icons as its small
// images); full-row selection, sub-item images, dragged headers and, when
// asked, check boxes.
int DisplayListHeader(CListCtrl* list, bool checkBoxes);
int DisplayTrackListHeader(CListCtrl* list, bool checkBoxes,
                           const int32_t positions[kTrackListColumns], CImageList* icons);
// The order of two rows by the texts of a column (numbers for 9 and 10).
int KVSort(LONG_PTR itemData1, LONG_PTR itemData2, LONG_PTR sortInfo);
// "List_ColNum", then the positions of the column types it counts.
int ReadTrackListColCount();
void ReadTrackListColData(int count, KV_LIST_COLUMN_ORDER* order);
bool GetTrackListNeedsRefresh();
void SetTrackListNeedsRefresh(bool needed);

} // namespace tracklist
