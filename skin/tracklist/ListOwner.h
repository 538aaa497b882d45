// ListOwner: what the skin's list controls ask of the window that owns
// them (the main window). The lists sit below the main window, so they call
// it through this interface; a list without an owner does nothing of this.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>
#include <commctrl.h>

class TXVTrackList;
class TXVTreeCtrl;

class ListOwner
{
public:
    virtual ~ListOwner() = default;

    // A drag starts from a list or a tree: the owner notes that a drag from
    // a list is under way and runs it.
    virtual void BeginListDrag(TXVTrackList* list) = 0;
    virtual void BeginTreeDrag(TXVTreeCtrl* tree, HTREEITEM item) = 0;
    // A row of the main track list became selected.
    virtual void ShowSelectedTrackInfo() = 0;
    // The status line's text while a column sort runs ("Sorting...").
    virtual void SetSortStatus(const CString& text) = 0;
    // After a column sort.
    virtual void UpdateLibraryStatusLine() = 0;
    // Row icons: whether a track was played in this session's history and
    // whether played-song icons are on.
    virtual bool IsInHistory(const CString& path) = 0;
    virtual bool ShowPlayedSongIcon() = 0;
    // The library view the main track list shows (1: the whole library).
    virtual int GetLibraryView() = 0;
    // Whether the main list marks tracks whose file is missing.
    virtual bool DisplayBadLinks() = 0;
    // Whether the desktop composition library was found (the selected
    // cell's text sits 2 pixels higher without it).
    virtual bool HasDesktopComposition() = 0;
};
