// The library's distinct values filled into the caller's trees, lists and
// combo boxes, an album's or artist's tracks for the jukebox pane, the
// distinct artist and album counts, and the album and artist arrays. The
// caller holds the library lock (VIZU's entry points).
#pragma once

#include "framework/core/CString.h"
#include "library/api/LibraryTypes.h"
#include "library/browse/BrowseValues.h"

#include <windows.h>
#include <commctrl.h>

struct LibraryState;

namespace browse {

// The tree's values under parent (a root item of the code's text when
// parent is null, the tree emptied first); the library sorted by the field
// and the sort recorded. The number of values.
int DisplayFilteredTree(LibraryState& state, HWND tree, int code, HIMAGELIST images,
                        HTREEITEM parent);
// The values as text rows, each put in at the top: the list reads from the
// last value to the first. The library sorted as for the tree.
int DisplayFilteredList(LibraryState& state, HWND list, int code);
// The combo box emptied and given the values of a field code (artist,
// album or genre) from a sorted copy, each item's data the position of
// the value's first record in that copy; the first item selected. An empty
// library leaves the combo box as it was.
int DisplayComboValues(const TrackArray& tracks, HWND combo, int code);
// The tracks whose field (filter codes 20 to 24, 26) equals value in any
// letter case, numbered "01 - title" in library order, their paths in
// sub-item 8; messages run as the loop pump paces them.
int DisplayAlbumTracks(TrackArray& tracks, HWND list, int code, const CString& value);
// The number of distinct values of a field code.
int DistinctCount(const TrackArray& tracks, int code);
// The album or artist array rebuilt from the first record of each album
// (artist) in album-then-title (artist-then-title) order.
int BuildDescriptorArray(const TrackArray& tracks,
                         CArray<tagAlbumDescriptor, tagAlbumDescriptor&>& target, int code);
// Entry n into *entry: 0, or -1 (entry untouched) outside the array.
int GetDescriptor(const CArray<tagAlbumDescriptor, tagAlbumDescriptor&>& array, int n,
                  tagAlbumDescriptor* entry);

} // namespace browse
