// The library views' window-free rules: what selecting a tree node does by
// view and captions, the status line, the node kinds, the captions of the
// thumbnail and jukebox lists, the list search's row test, the column
// order's stored form and the tree fonts' item height.
#include "mainwindow/library/LibraryViewRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace library_views;

namespace {

TreeCaptions ShippedCaptions()
{
    TreeCaptions c;
    const char* const texts[kCaptionCount] = {"My Library", "Most Played", "Recently Added", "Albums",
                                              "Artists",    "BPMs",        "Genres",         "Years",
                                              "Playlists",  "History"};
    for (int i = 0; i < kCaptionCount; ++i)
        c.text[i] = texts[i];
    return c;
}

struct SelectionCase
{
    int view;
    const char* selected;
    const char* parent;
    TreeAction action;
    int field;
    int viewAfter;
    bool setsName;
};

} // namespace

TEST(LibraryViewRules, TreeSelectionTable)
{
    const SelectionCase cases[] = {
        // Nothing selected: the view stays (a folder view becomes 1).
        {1, "", "", TreeAction::Nothing, 0, 1, false},
        {7, "", "", TreeAction::Nothing, 0, 1, false},
        // Rules a to h under views 1, 2, 8, 10 and 11, captions in any case.
        {1, "My Library", "", TreeAction::ShowLibrary, 0, 1, true},
        {2, "my library", "", TreeAction::ShowLibrary, 0, 1, true},
        {7, "MY LIBRARY", "", TreeAction::ShowLibrary, 0, 1, true},
        {8, "Most Played", "My Library", TreeAction::ShowMostPlayed, 0, 10, true},
        {1, "Recently Added", "My Library", TreeAction::ShowRecentlyAdded, 0, 11, true},
        {1, "Albums", "My Library", TreeAction::FillCategory, 31, 1, true},
        {10, "Artists", "My Library", TreeAction::FillCategory, 30, 1, true},
        {1, "BPMs", "My Library", TreeAction::FillCategory, 36, 1, true},
        {1, "Genres", "My Library", TreeAction::FillCategory, 32, 1, true},
        {1, "Years", "My Library", TreeAction::FillCategory, 34, 1, true},
        {1, "Abba", "Artists", TreeAction::ShowCategoryValue, 20, 1, false},
        {11, "Gold", "albums", TreeAction::ShowCategoryValue, 21, 11, false},
        {1, "128.00", "BPMs", TreeAction::ShowCategoryValue, 26, 1, false},
        {1, "Rock", "Genres", TreeAction::ShowCategoryValue, 22, 1, false},
        {1, "1999", "Years", TreeAction::ShowCategoryValue, 24, 1, false},
        {2, "Playlists", "", TreeAction::Nothing, 0, 2, false},
        {1, "history", "", TreeAction::Nothing, 0, 1, false},
        {1, "Party.xml", "Playlists", TreeAction::ShowPlaylist, 0, 2, true},
        {1, "Friday.xml", "History", TreeAction::ShowHistory, 0, 8, true},
        // Views 3, 4, 5, 6 and 9: the tracks whose field is the node's text.
        {3, "Abba", "Artist List", TreeAction::ShowValue, 20, 3, true},
        {4, "Album List", "", TreeAction::ShowValue, 21, 4, true},
        {5, "Rock", "Genre List", TreeAction::ShowValue, 22, 5, true},
        {6, "1999", "Year List", TreeAction::ShowValue, 24, 6, true},
        {9, "128.00", "BPM List", TreeAction::ShowValue, 26, 9, true},
        // Other view codes do nothing.
        {0, "My Library", "", TreeAction::Nothing, 0, 0, false},
        {12, "My Library", "", TreeAction::Nothing, 0, 12, false},
    };
    const TreeCaptions captions = ShippedCaptions();
    for (const SelectionCase& c : cases) {
        const TreeDecision d = DecideTreeSelection(c.view, c.selected, c.parent, captions);
        SCOPED_TRACE(std::string("view ") + std::to_string(c.view) + " selected \"" + c.selected +
                     "\" parent \"" + c.parent + "\"");
        EXPECT_EQ(TreeActionName(c.action), std::string(TreeActionName(d.action)));
        EXPECT_EQ(c.field, d.field);
        EXPECT_EQ(c.viewAfter, d.viewAfter);
        EXPECT_EQ(c.setsName, d.setsName);
    }
}

TEST(LibraryViewRules, EmptyCaptionMatchesNoNode)
{
    // An empty LIBTREE_ALBUMS key: a root node (empty parent text) is not
    // taken for an album value.
    TreeCaptions captions = ShippedCaptions();
    captions.text[kAlbumsNode] = "";
    const TreeDecision history = DecideTreeSelection(1, "History", "", captions);
    EXPECT_EQ(TreeAction::Nothing, history.action);
    const TreeDecision list = DecideTreeSelection(1, "Party.xml", "Playlists", captions);
    EXPECT_EQ(TreeAction::ShowPlaylist, list.action);
}

TEST(LibraryViewRules, PlaylistCaptionOtherThanPlaylists)
{
    // The caption is what the node shows; nodes under it are played as playlists
    // only when their parent carries that caption.
    TreeCaptions captions = ShippedCaptions();
    captions.text[kPlaylists] = "My Sets";
    EXPECT_EQ(TreeAction::ShowPlaylist, DecideTreeSelection(1, "a.xml", "my sets", captions).action);
    EXPECT_EQ(TreeAction::ShowHistory, DecideTreeSelection(1, "a.xml", "Playlists", captions).action);
    EXPECT_EQ(0, SelectedNodeKind("My Sets"));
}

TEST(LibraryViewRules, SelectedNodeKinds)
{
    const struct { const char* parent; int kind; } cases[] = {
        {"My Library", 1}, {"playlists", 2}, {"HISTORY", 8}, {"Artist List", 3}, {"album list", 4},
        {"Genre List", 5}, {"Year List", 6}, {"BPM List", 9}, {"Artists", 0}, {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.kind, SelectedNodeKind(c.parent)) << c.parent;
}

TEST(LibraryViewRules, StatusLines)
{
    struct Case
    {
        int view;
        const char* name;
        bool thumbs;
        int thumbView;
        bool time;
        const char* expected;
    };
    const Case cases[] = {
        {1, "My Library", false, 0, true, "VIEWING MY LIBRARY::Club   ITEMS::12   SEL::2   TIME: 01:02:03"},
        {1, "My Library", false, 0, false, "VIEWING MY LIBRARY::Club   ITEMS::12   SEL::2"},
        {2, "Party.xml", false, 0, false, "VIEWING PLAYLIST::Party.xml   ITEMS::12   SEL::2"},
        {3, "Abba", false, 0, false, "VIEWING ARTIST::Abba   ITEMS::12   SEL::2"},
        {4, "Gold", false, 0, false, "VIEWING ALBUM::Gold   ITEMS::12   SEL::2"},
        {5, "Rock", false, 0, false, "VIEWING GENRE::Rock   ITEMS::12   SEL::2"},
        {6, "1999", false, 0, false, "VIEWING YEAR::1999   ITEMS::12   SEL::2"},
        {7, "C:\\Music", false, 0, false, "VIEWING MY COMPUTER::C:\\Music   ITEMS::12   SEL::2"},
        {8, "Friday.xml", false, 0, false, "VIEWING HISTORY::Friday.xml   ITEMS::12   SEL::2"},
        {9, "128.00", false, 0, false, "VIEWING BPM::128.00   ITEMS::12   SEL::2"},
        {10, "Most Played", false, 0, false, "VIEWING MY LIBRARY::Most Played   ITEMS::12   SEL::2"},
        {11, "Recently Added", false, 0, false, "VIEWING MY LIBRARY::Recently Added   ITEMS::12   SEL::2"},
        {0, "", false, 0, false, "VIEWING ::   ITEMS::12   SEL::2"},
        {3, "Abba", true, 4, false, "VIEWING GENRE::Abba   ITEMS::12   SEL::2"},
        {3, "Abba", true, 6, false, "VIEWING PLAYLIST::Abba   ITEMS::12   SEL::2"},
        {3, "Abba", true, 0, false, "VIEWING ARTIST::Abba   ITEMS::12   SEL::2"},
        {3, "Abba", false, 6, false, "VIEWING ARTIST::Abba   ITEMS::12   SEL::2"},
    };
    for (const Case& c : cases) {
        StatusInput in;
        in.view = c.view;
        in.viewName = c.name;
        in.libraryTitle = "Club";
        in.hasThumbList = c.thumbs;
        in.thumbView = c.thumbView;
        in.items = 12;
        in.selected = 2;
        in.withTime = c.time;
        in.time = "01:02:03";
        EXPECT_STREQ(c.expected, StatusLine(in).GetString());
    }
}

TEST(LibraryViewRules, ListCaptions)
{
    EXPECT_STREQ("ARTISTS::ABBA", ThumbnailCaption(2, "Abba").GetString());
    EXPECT_STREQ("PLAYLISTS::N/A", ThumbnailCaption(6, "").GetString());
    EXPECT_STREQ("::N/A", ThumbnailCaption(9, "").GetString());
    EXPECT_STREQ("Years", JukeboxListCaption(5));
    EXPECT_STREQ("Playlists", JukeboxListCaption(6));
    EXPECT_STREQ("", JukeboxListCaption(1));
}

TEST(LibraryViewRules, ListSearchRowTest)
{
    // Columns 0, 1, 3, 4, 6 and 8 as the search joins them.
    const std::vector<CString> row = {"Dancing Queen", "ABBA", "Gold", "Euro Disco", "1976",
                                      "C:\\Music\\abba.mp3"};
    EXPECT_TRUE(RowMatches(row, SearchKey("queen")));
    EXPECT_TRUE(RowMatches(row, SearchKey("EURO disco")));     // genre, other letter case
    EXPECT_TRUE(RowMatches(row, SearchKey("abba gold")));      // across the joining space
    EXPECT_TRUE(RowMatches(row, SearchKey("music\\abba")));
    EXPECT_FALSE(RowMatches(row, SearchKey("128.00")));
    EXPECT_FALSE(RowMatches(row, SearchKey("queengold")));
    EXPECT_FALSE(RowMatches(row, SearchKey("")));
}

TEST(LibraryViewRules, ColumnOrderStoredForm)
{
    int order[kColumnCount] = {8, 0, 1, 2, 3, 4, 5, 6, 7, 9, 10};
    const std::string bytes = PackColumnOrder(order);
    ASSERT_EQ(44u, bytes.size());
    EXPECT_EQ(8, bytes[0]);
    EXPECT_EQ(0, bytes[1]);
    int back[kColumnCount] = {};
    ASSERT_TRUE(UnpackColumnOrder(bytes, back));
    for (int i = 0; i < kColumnCount; ++i)
        EXPECT_EQ(order[i], back[i]);

    // Damaged forms leave the order as it was.
    int kept[kColumnCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    std::string shortBytes = bytes.substr(0, 40);
    EXPECT_FALSE(UnpackColumnOrder(shortBytes, kept));
    std::string twice = bytes;
    twice[4] = 8;   // column 8 twice
    EXPECT_FALSE(UnpackColumnOrder(twice, kept));
    std::string outside = bytes;
    outside[8] = 11;
    EXPECT_FALSE(UnpackColumnOrder(outside, kept));
    std::string negative = bytes;
    negative[3] = static_cast<char>(0x80);
    EXPECT_FALSE(UnpackColumnOrder(negative, kept));
    for (int i = 0; i < kColumnCount; ++i)
        EXPECT_EQ(i, kept[i]);
}

TEST(LibraryViewRules, TreeItemHeights)
{
    EXPECT_EQ(22, TreeItemHeight(120));
    EXPECT_EQ(18, TreeItemHeight(80));
    EXPECT_EQ(18, TreeItemHeight(89));
    EXPECT_EQ(10, TreeItemHeight(0));
}

TEST(LibraryViewRules, ViewCommands)
{
    const ViewCommand* artists = FindViewCommand(27404);
    ASSERT_NE(nullptr, artists);
    EXPECT_EQ(30, artists->valuesField);
    EXPECT_EQ(3, artists->view);
    EXPECT_EQ(2, artists->listView);
    const ViewCommand* bpm = FindViewCommand(28114);
    ASSERT_NE(nullptr, bpm);
    EXPECT_EQ(36, bpm->valuesField);
    EXPECT_EQ(9, bpm->view);
    EXPECT_EQ(0, bpm->listView);
    EXPECT_EQ(nullptr, FindViewCommand(27403));
}
