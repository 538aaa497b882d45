// MainListOwner: the main window as its skin lists and trees see it
// (ListOwner). The drags themselves and the library status line belong to
// the drag-and-drop and library parts; until they take these over, a drag
// start does nothing.
#pragma once

#include "skin/tracklist/ListOwner.h"

class MainDialog;
class MainControls;

class MainListOwner : public ListOwner
{
public:
    MainListOwner(MainDialog& dialog, MainControls& controls) : m_dialog(dialog), m_controls(controls) {}

    void BeginListDrag(TXVTrackList* list) override { (void)list; }
    void BeginTreeDrag(TXVTreeCtrl* tree, HTREEITEM item) override { (void)tree; (void)item; }
    void ShowSelectedTrackInfo() override;
    void SetSortStatus(const CString& text) override;
    void UpdateLibraryStatusLine() override {}
    bool IsInHistory(const CString& path) override;
    bool ShowPlayedSongIcon() override;
    int GetLibraryView() override;
    bool DisplayBadLinks() override;
    bool HasDesktopComposition() override { return false; }

private:
    MainDialog& m_dialog;
    MainControls& m_controls;
};
