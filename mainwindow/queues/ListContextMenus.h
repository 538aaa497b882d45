// ListContextMenus: the context menus that a right click (or Shift+F10 and
// the menu key) opens on the main window's track lists and library tree:
// the track-list menu on the main track list (resource 192), the queue
// menu on the deck A, deck B and AutoMix queues, the history, request and
// search lists (194), and the library menu on the library tree (178).
// Each menu gets the style of MAIN/MenuStyle, its first-level captions
// from MENUTEXT, a title band and the greying of ListMenuRules; it runs
// through MainWindowParts::RunMenu and the chosen item is carried out by
// the lists (QueueLists) or the main window's commands. Items whose
// operations belong to dialogs not yet in the program log that and do
// nothing else.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/core/CString.h"

class CNewMenu;
class MainDialog;
class MainWindowParts;
class QueueLists;
class TXVTrackList;

class ListContextMenus
{
public:
    // What the library menu asks of the library views.
    struct LibraryHooks
    {
        std::function<CString()> selectedParentText;     // the caret item's parent's text
        std::function<bool()> folderNodeSelected;        // a My Computer folder node is selected
    };

    ListContextMenus(MainDialog& dialog, QueueLists& queues, MainWindowParts& parts);
    ListContextMenus(const ListContextMenus&) = delete;
    ListContextMenus& operator=(const ListContextMenus&) = delete;

    void SetLibraryHooks(LibraryHooks hooks) { m_library = std::move(hooks); }

    // WM_CONTEXTMENU of the main window: window is the one the click or key
    // was in, at the screen point (-1, -1 from the keyboard: the menu opens
    // at the selection). False when that window has no menu here.
    bool Open(HWND window, POINT at);

private:
    void ShowTrackListMenu(TXVTrackList& list, POINT at);
    void ShowQueueMenu(TXVTrackList& list, int type, POINT at);
    void ShowLibraryMenu(HWND tree, POINT at);
    // Loads the resource's first popup with the style, the captions (first
    // level only), the title band and the greying (enabled(id)); answers
    // the chosen item (0: none).
    UINT Run(unsigned resource, const char* title, POINT at, const std::function<bool(unsigned)>& enabled);
    void NotYet(unsigned id);

    MainDialog& m_dialog;
    QueueLists& m_queues;
    MainWindowParts& m_parts;
    LibraryHooks m_library;
};
