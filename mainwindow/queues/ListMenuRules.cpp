#include "mainwindow/queues/ListMenuRules.h"

#include <cstddef>

#include "framework/core/CString.h"

namespace list_menus {

namespace {

struct Item
{
    unsigned id;
    MenuOp op;
    unsigned command;
};

const Item kTrackListItems[] = {
    {32960, MenuOp::Command, 27601},   // "Select All": "tl-selall"
    {32961, MenuOp::Command, 27602},   // "Select None": "tl-selnone"
    {32793, MenuOp::Command, 27604},   // "Load to A": "tl-loadtoa"
    {32794, MenuOp::Command, 27605},   // "Load to B": "tl-loadtob"
    {32979, MenuOp::Command, 28143},   // "Play Next": "tl-playnext"
    {32795, MenuOp::Command, 27606},   // "Load to A Q": "tl-loadtoaq"
    {32796, MenuOp::Command, 27607},   // "Load to B Q": "tl-loadtobq"
    {32797, MenuOp::Command, 27608},   // "Load to AutoMix Q": "tl-loadtomxq"
    {32808, MenuOp::Command, 27609},   // "Load to Jukebox Queue": "tl-loadtojbq"
    {32969, MenuOp::AddToRequestList, 0},
    {32911, MenuOp::SampleInJukebox, 0},
    {32825, MenuOp::AddToLibrary, 0},
    {32812, MenuOp::Properties, 0},
    {32813, MenuOp::ExtendedProperties, 0},
    {32908, MenuOp::ResetColumns, 0},
    {32976, MenuOp::ChangeFontSize, 0},
    {32984, MenuOp::ShowInfoWindow, 0},
};

const Item kQueueItems[] = {
    {32799, MenuOp::MoveUp, 0},       {32800, MenuOp::MoveDown, 0},     {32801, MenuOp::MoveToTop, 0},
    {32802, MenuOp::MoveToBottom, 0}, {32803, MenuOp::DeleteSelected, 0}, {32804, MenuOp::Shuffle, 0},
    {32805, MenuOp::Empty, 0},        {32806, MenuOp::SaveAsPlaylist, 0}, {32975, MenuOp::ChangeFontSize, 0},
};

template <std::size_t N>
MenuChoice Find(const Item (&items)[N], unsigned id)
{
    for (const Item& item : items)
        if (item.id == id)
            return {item.op, item.command};
    return {};
}

} // namespace

MenuChoice TrackListMenuChoice(unsigned id)
{
    return Find(kTrackListItems, id);
}

bool TrackListMenuItemEnabled(unsigned id, int selectedRows, int view, bool infoWindowToggles)
{
    switch (id) {
    case 32793: case 32794: case 32979: case 32795: case 32796: case 32797:
    case 32808: case 32911: case 32812: case 32813: case 32969:
        return selectedRows > 0;
    case 32825:
        return selectedRows > 0 && view == 7;
    case 32984:
        return infoWindowToggles;
    default:
        return true;
    }
}

MenuChoice QueueMenuChoice(unsigned id)
{
    return Find(kQueueItems, id);
}

bool QueueMenuItemEnabled(unsigned id, int listType, int rows, int selectedRows)
{
    if (id < 32799 || id > 32806)
        return true;
    if (rows <= 0)
        return false;
    if (id <= 32805 && (listType == 4007 || listType == 4008))
        return false;
    if (id <= 32803 && selectedRows <= 0)
        return false;
    return true;
}

const char* QueueMenuTitle(int listType)
{
    switch (listType) {
    case 4005: return "Deck A Queue";
    case 4006: return "Deck B Queue";
    case 4007: return "Search List";
    case 4008: return "History List";
    case 4009: return "Request Queue";
    case 4011: return "AutoMix Queue";
    case 4013: return "Track List";
    default: return "";
    }
}

namespace {

struct Name
{
    unsigned id;
    const char* name;
};

const Name kMenuTextNames[] = {
    {32799, "ID_QLIST_MOVEUP"}, {32800, "ID_QLIST_MOVEDOWN"}, {32801, "ID_QLIST_BRINGTOTOP"},
    {32802, "ID_QLIST_SENDTOBOTTOM"}, {32803, "ID_QLIST_DELETE"}, {32804, "ID_QLIST_SHUFFLELIST"},
    {32805, "ID_QLIST_EMPTYLIST"}, {32806, "ID_QLIST_SAVEASPLAYLIST"}, {32975, "ID_QLIST_CHANGEFONTSIZE"},
    {32960, "ID_TRACKLIST_SELECTALL"}, {32961, "ID_TRACKLIST_SELECTNONE"}, {32793, "ID_TRACKLIST_LOADTOA"},
    {32794, "ID_TRACKLIST_LOADTOB"}, {32795, "ID_TRACKLIST_LOADTOAQ"}, {32796, "ID_TRACKLIST_LOADTOBQ"},
    {32797, "ID_TRACKLIST_LOADTOAUTOMIXQ"}, {32808, "ID_TRACKLIST_LOADTOJUKEBOXQ"},
    {32911, "ID_TRACKLIST_SAMPLEINJUKEBOX"}, {32969, "ID_TRACKLIST_ADDTOREQUESTLIST"},
    {32825, "ID_TRACKLIST_ADDTOLIBRARY"}, {32812, "ID_TRACKLIST_PROPERTIES"},
    {32813, "ID_TRACKLIST_EXTENDEDPROPERTIES"}, {32908, "ID_TRACKLIST_RESETCOLUMNS"},
    {32976, "ID_TRACKLIST_CHANGEFONTSIZE"}, {32979, "ID_TRACKLIST_PLAYNEXT"}, {32984, "ID_TRACKLIST_SHOWINFOWINDOW"},
    {32778, "ID_LIB_NEWPLAYLIST"}, {32780, "ID_LIB_EDITPLAYLIST"}, {32779, "ID_LIB_DELETEPLAYLIST"},
    {32811, "ID_LIB_RENAMEPLAYLIST"}, {32896, "ID_LIB_EXPORTPLAYLISTTOCSV"}, {32970, "ID_LIB_EXPORTPLAYLISTTOM3U"},
    {32972, "ID_LIB_IMPORTM3UPLAYLIST"}, {32781, "ID_LIB_AUTOMIXPLAYLIST"}, {32782, "ID_LIB_PLAYINJUKEBOX"},
    {32783, "ID_LIB_LOADTODECKAQUEUE"}, {32784, "ID_LIB_LOADTODECKBQUEUE"}, {32910, "ID_LIB_LOADTOAUTOMIXQ"},
    {32830, "ID_LIB_CLEARHISTORY"}, {32831, "ID_LIB_VIEWLIBRARY"}, {32832, "ID_LIB_VIEWARTISTS"},
    {32833, "ID_LIB_VIEWALBUMS"}, {32834, "ID_LIB_VIEWGENRES"}, {32835, "ID_LIB_VIEWYEARS"},
    {32909, "ID_LIB_VIEWBPMS"}, {32978, "ID_LIB_CHANGEFONTSIZE"}, {32986, "ID_LIB_MYCOMPUTER"},
};

struct LibraryItem
{
    unsigned id;
    LibraryMenuOp op;
    unsigned command;
};

const LibraryItem kLibraryItems[] = {
    // The "View" sub-menu and the ids of the same six views.
    {32952, LibraryMenuOp::Command, 27403}, {32953, LibraryMenuOp::Command, 27404},
    {32954, LibraryMenuOp::Command, 27405}, {32955, LibraryMenuOp::Command, 27406},
    {32956, LibraryMenuOp::Command, 27407}, {32957, LibraryMenuOp::Command, 28114},
    {32831, LibraryMenuOp::Command, 27403}, {32832, LibraryMenuOp::Command, 27404},
    {32833, LibraryMenuOp::Command, 27405}, {32834, LibraryMenuOp::Command, 27406},
    {32835, LibraryMenuOp::Command, 27407}, {32909, LibraryMenuOp::Command, 28114},
    {32778, LibraryMenuOp::NewPlaylist, 0},
    {32780, LibraryMenuOp::EditPlaylist, 0},
    {32779, LibraryMenuOp::DeletePlaylist, 0},
    {32811, LibraryMenuOp::RenamePlaylist, 0},
    {32972, LibraryMenuOp::ImportM3U, 0},
    {32970, LibraryMenuOp::ExportM3U, 0},
    {32896, LibraryMenuOp::ExportText, 0},
    {32781, LibraryMenuOp::AutoMixPlaylist, 0},
    {32782, LibraryMenuOp::PlayInJukebox, 0},
    {32783, LibraryMenuOp::LoadToQueue, 4005},
    {32784, LibraryMenuOp::LoadToQueue, 4006},
    {32910, LibraryMenuOp::LoadToQueue, 4011},
    {32830, LibraryMenuOp::ClearHistory, 0},
    {32978, LibraryMenuOp::ChangeFontSize, 0},
};

} // namespace

const char* MenuTextName(unsigned id)
{
    for (const Name& n : kMenuTextNames)
        if (n.id == id)
            return n.name;
    return nullptr;
}

LibraryMenuChoice LibraryMenuItem(unsigned id)
{
    for (const LibraryItem& item : kLibraryItems)
        if (item.id == id)
            return {item.op, item.command};
    return {};
}

bool LibraryMenuOpens(int view)
{
    return view >= 1 && view <= 11;
}

bool LibraryMenuItemEnabled(unsigned id, const char* parentText, int view)
{
    const CString parent(parentText ? parentText : "");
    if (parent.CompareNoCase("playlists") == 0)
        return true;
    switch (id) {
    case 32781: case 32782: case 32783: case 32784: case 32910:
    case 32780: case 32779: case 32811: case 32896: case 32970:
        // The playlist items: only on a playlist, or a history file.
        if (parent.CompareNoCase("history") != 0)
            return false;
        break;
    case 32778: case 32830:
        break;
    default:
        return true;
    }
    // A category view (artists, albums, genres, years, BPM) greys them all.
    return !(view == 3 || view == 4 || view == 5 || view == 6 || view == 9);
}

} // namespace list_menus
