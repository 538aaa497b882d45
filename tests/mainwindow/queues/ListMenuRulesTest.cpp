// The track-list and queue menus: what each item runs, when it is greyed,
// the queue menu's titles.
#include "mainwindow/queues/ListMenuRules.h"

#include <gtest/gtest.h>

#include <string>

using namespace list_menus;

TEST(ListMenuRules, TrackListItemsRunTheListCommands)
{
    const struct
    {
        unsigned id;
        MenuOp op;
        unsigned command;
    } cases[] = {
        {32960, MenuOp::Command, 27601}, {32961, MenuOp::Command, 27602}, {32793, MenuOp::Command, 27604},
        {32794, MenuOp::Command, 27605}, {32979, MenuOp::Command, 28143}, {32795, MenuOp::Command, 27606},
        {32796, MenuOp::Command, 27607}, {32797, MenuOp::Command, 27608}, {32808, MenuOp::Command, 27609},
        {32969, MenuOp::AddToRequestList, 0}, {32911, MenuOp::SampleInJukebox, 0},
        {32825, MenuOp::AddToLibrary, 0}, {32812, MenuOp::Properties, 0},
        {32813, MenuOp::ExtendedProperties, 0}, {32908, MenuOp::ResetColumns, 0},
        {32976, MenuOp::ChangeFontSize, 0}, {32984, MenuOp::ShowInfoWindow, 0},
        {32799, MenuOp::None, 0},   // a queue menu item
        {0, MenuOp::None, 0},
    };
    for (const auto& c : cases) {
        const MenuChoice choice = TrackListMenuChoice(c.id);
        EXPECT_EQ(c.op, choice.op) << c.id;
        EXPECT_EQ(c.command, choice.command) << c.id;
    }
}

TEST(ListMenuRules, TrackListItemsGreyedBySelectionViewAndInfoWindow)
{
    const unsigned needSelection[] = {32793, 32794, 32979, 32795, 32796, 32797, 32808, 32911, 32812, 32813, 32969};
    for (unsigned id : needSelection) {
        EXPECT_FALSE(TrackListMenuItemEnabled(id, 0, 1, true)) << id;
        EXPECT_TRUE(TrackListMenuItemEnabled(id, 2, 1, true)) << id;
    }
    // Add to library: a selection in a folder's listing only.
    EXPECT_FALSE(TrackListMenuItemEnabled(32825, 1, 1, true));
    EXPECT_FALSE(TrackListMenuItemEnabled(32825, 0, 7, true));
    EXPECT_TRUE(TrackListMenuItemEnabled(32825, 1, 7, true));
    // The info window when it can be toggled.
    EXPECT_FALSE(TrackListMenuItemEnabled(32984, 3, 1, false));
    EXPECT_TRUE(TrackListMenuItemEnabled(32984, 0, 1, true));
    // Never greyed.
    for (unsigned id : {32960u, 32961u, 32908u, 32976u})
        EXPECT_TRUE(TrackListMenuItemEnabled(id, 0, 0, false)) << id;
}

TEST(ListMenuRules, QueueItemsAndTheirGreying)
{
    const MenuOp ops[] = {MenuOp::MoveUp,         MenuOp::MoveDown, MenuOp::MoveToTop,
                          MenuOp::MoveToBottom,   MenuOp::DeleteSelected, MenuOp::Shuffle,
                          MenuOp::Empty,          MenuOp::SaveAsPlaylist};
    for (unsigned id = 32799; id <= 32806; ++id)
        EXPECT_EQ(ops[id - 32799], QueueMenuChoice(id).op) << id;
    EXPECT_EQ(MenuOp::ChangeFontSize, QueueMenuChoice(32975).op);
    EXPECT_EQ(MenuOp::None, QueueMenuChoice(32969).op);

    // rows, selected -> which of 32799..32806 are enabled, for a queue.
    const struct
    {
        int type;
        int rows;
        int selected;
        const char* enabled;   // 32799..32806, one character each
    } cases[] = {
        {4005, 0, 0, "--------"},
        {4005, 3, 0, "-----+++"},
        {4005, 3, 1, "++++++++"},
        {4011, 3, 2, "++++++++"},
        {4009, 1, 1, "++++++++"},
        {4007, 3, 1, "-------+"},   // search: only save
        {4008, 3, 1, "-------+"},   // history: only save
        {4008, 0, 0, "--------"},
    };
    for (const auto& c : cases) {
        std::string got;
        for (unsigned id = 32799; id <= 32806; ++id)
            got += QueueMenuItemEnabled(id, c.type, c.rows, c.selected) ? '+' : '-';
        EXPECT_EQ(c.enabled, got) << c.type << " " << c.rows << " " << c.selected;
        EXPECT_TRUE(QueueMenuItemEnabled(32975, c.type, c.rows, c.selected));
    }
}

TEST(ListMenuRules, QueueMenuTitles)
{
    EXPECT_STREQ("Deck A Queue", QueueMenuTitle(4005));
    EXPECT_STREQ("Deck B Queue", QueueMenuTitle(4006));
    EXPECT_STREQ("Search List", QueueMenuTitle(4007));
    EXPECT_STREQ("History List", QueueMenuTitle(4008));
    EXPECT_STREQ("Request Queue", QueueMenuTitle(4009));
    EXPECT_STREQ("AutoMix Queue", QueueMenuTitle(4011));
    EXPECT_STREQ("Track List", QueueMenuTitle(4013));
    EXPECT_STREQ("", QueueMenuTitle(4010));
}

TEST(ListMenuRules, LibraryMenuItemsAndTheirGreying)
{
    EXPECT_FALSE(LibraryMenuOpens(0));
    EXPECT_TRUE(LibraryMenuOpens(1));
    EXPECT_TRUE(LibraryMenuOpens(11));
    EXPECT_FALSE(LibraryMenuOpens(12));
    // The views, from the "View" sub-menu and by the older ids.
    EXPECT_EQ(27404u, LibraryMenuItem(32953).command);
    EXPECT_EQ(28114u, LibraryMenuItem(32909).command);
    EXPECT_EQ(LibraryMenuOp::Command, LibraryMenuItem(32952).op);
    EXPECT_EQ(LibraryMenuOp::LoadToQueue, LibraryMenuItem(32784).op);
    EXPECT_EQ(4006u, LibraryMenuItem(32784).command);
    EXPECT_EQ(4011u, LibraryMenuItem(32910).command);
    EXPECT_EQ(LibraryMenuOp::None, LibraryMenuItem(32799).op);

    struct Case
    {
        const char* parent;
        int view;
        unsigned id;
        bool enabled;
    };
    const Case cases[] = {
        {"Playlists", 2, 32783, true},  {"PLAYLISTS", 3, 32779, true},   // a playlist: everything
        {"History", 8, 32783, true},    {"history", 8, 32830, true},
        {"History", 3, 32783, false},   {"History", 9, 32778, false},    // category views grey them
        {"Artists", 1, 32781, false},   {"", 1, 32970, false},           // no playlist: the playlist items
        {"", 1, 32778, true},           {"", 1, 32830, true},
        {"", 5, 32830, false},          {"Artist List", 3, 32952, true}, // the views always
        {"", 6, 32978, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.enabled, LibraryMenuItemEnabled(c.id, c.parent, c.view))
            << c.parent << " view " << c.view << " item " << c.id;
}

TEST(ListMenuRules, MenuTextNamesOfTheContextMenus)
{
    EXPECT_STREQ("ID_QLIST_SHUFFLELIST", MenuTextName(32804));
    EXPECT_STREQ("ID_TRACKLIST_LOADTOAUTOMIXQ", MenuTextName(32797));
    EXPECT_STREQ("ID_TRACKLIST_SHOWINFOWINDOW", MenuTextName(32984));
    EXPECT_STREQ("ID_LIB_LOADTODECKBQUEUE", MenuTextName(32784));
    EXPECT_STREQ("ID_LIB_MYCOMPUTER", MenuTextName(32986));
    EXPECT_EQ(nullptr, MenuTextName(32952));   // the "View" sub-menu keeps its texts
    EXPECT_EQ(nullptr, MenuTextName(0));
}
