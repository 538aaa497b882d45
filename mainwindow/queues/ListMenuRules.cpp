#include "mainwindow/queues/ListMenuRules.h"

#include <cstddef>

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

} // namespace list_menus
