// The context menus of the main window's track lists, as far as they reach
// the lists' own operations: the track-list menu of the main track list
// (resource 192) and the queue menu of the queues, the history, request
// and search lists (resource 194). What each item runs, when it is
// greyed, and the queue menu's title by list type. Window-free.
#pragma once

namespace list_menus {

enum class MenuOp
{
    None,               // not an item of that menu
    Command,            // the command of the command table (choice.command)
    AddToRequestList,   // the main track list's selection to list code 5
    MoveUp,
    MoveDown,
    MoveToTop,
    MoveToBottom,
    DeleteSelected,
    Shuffle,
    Empty,
    // Items whose operations belong to other parts of the window.
    SampleInJukebox,
    AddToLibrary,
    Properties,
    ExtendedProperties,
    ResetColumns,
    ChangeFontSize,
    ShowInfoWindow,
    SaveAsPlaylist,
};

struct MenuChoice
{
    MenuOp op = MenuOp::None;
    unsigned command = 0;
};

// Track-list menu (resource 192).
MenuChoice TrackListMenuChoice(unsigned id);
// Greyed with no selected row: the loads, queue adds, the request list,
// the jukebox sample, add to library and both properties; add to library
// also unless a folder is shown (view 7); the info window unless it can be
// toggled.
bool TrackListMenuItemEnabled(unsigned id, int selectedRows, int view, bool infoWindowToggles);

// Queue menu (resource 194).
MenuChoice QueueMenuChoice(unsigned id);
// An empty list greys 32799-32806, no selection 32799-32803, and the
// search and history lists always 32799-32805.
bool QueueMenuItemEnabled(unsigned id, int listType, int rows, int selectedRows);
// "Deck A Queue", "Deck B Queue", "Search List", "History List",
// "Request Queue", "AutoMix Queue", "Track List" by list type (4005, 4006,
// 4007, 4008, 4009, 4011, 4013); "" for others.
const char* QueueMenuTitle(int listType);

// The menu resources and the track-list menu's title.
const unsigned kTrackListMenuResource = 192;
const unsigned kQueueMenuResource = 194;
const unsigned kLibraryMenuResource = 178;
const char* const kTrackListMenuTitle = "Track List";
const char* const kLibraryMenuTitle = "My Library";

// The MENUTEXT key (the item's resource symbol name) whose value is the
// caption of a context-menu item; null for an id without one.
const char* MenuTextName(unsigned id);

// Library menu (resource 178), opened on the library tree.
enum class LibraryMenuOp
{
    None,
    Command,            // a view command (choice.command)
    LoadToQueue,        // the selected playlist or history file into a queue (choice.command: its list type)
    AutoMixPlaylist,
    PlayInJukebox,
    // Items whose operations belong to the playlist and library dialogs.
    NewPlaylist,
    EditPlaylist,
    DeletePlaylist,
    RenamePlaylist,
    ImportM3U,
    ExportM3U,
    ExportText,
    ClearHistory,
    ChangeFontSize,
};

struct LibraryMenuChoice
{
    LibraryMenuOp op = LibraryMenuOp::None;
    unsigned command = 0;
};

LibraryMenuChoice LibraryMenuItem(unsigned id);
// Whether the library menu opens at all: the main list's view is 1 to 11.
bool LibraryMenuOpens(int view);
// The greying: parentText is the text of the parent of the tree's caret
// item, compared without case with "playlists" and "history".
bool LibraryMenuItemEnabled(unsigned id, const char* parentText, int view);

} // namespace list_menus
