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

} // namespace list_menus
