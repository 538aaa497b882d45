// The track list's rules: which sort a header click runs, the library sort
// codes, row icons, the row a move deletes, the IJ styles and the size the
// hidden scroll bars leave.
#include "skin/tracklist/TrackListRules.h"

#include <gtest/gtest.h>

using namespace tracklist_rules;

TEST(TrackListRules, AHeaderClickChoosesTheSortByListTypeQuickSortAndView)
{
    struct Case
    {
        bool sorting;
        int type;
        bool quick;
        int view;
        int column;
        SortAction expected;
    };
    const Case cases[] = {
        {false, 1, true, 1, 0, SORT_NONE},            // sorting off: nothing
        {false, 8, true, 1, 0, SORT_NONE},
        {true, 1, false, 0, 3, SORT_ROWS_BY_DATA},    // deck A queue
        {true, 2, false, 0, 3, SORT_ROWS_BY_DATA},
        {true, 4, true, 1, 0, SORT_ROWS_BY_DATA},     // AutoMix queue
        {true, 7, true, 1, 0, SORT_ROWS_BY_DATA},     // search list
        {true, 10, true, 1, 0, SORT_ROWS_BY_DATA},
        {true, 4005, true, 1, 0, SORT_ROWS_BY_DATA},
        {true, 4009, true, 1, 0, SORT_ROWS_BY_DATA},
        {true, 4011, true, 1, 0, SORT_ROWS_BY_DATA},
        {true, 4010, true, 1, 0, SORT_NONE},          // jukebox queue type: no sort
        {true, 14, true, 1, 0, SORT_NONE},
        {true, 0, true, 1, 0, SORT_NONE},
        {true, 8, true, 1, 0, SORT_LIBRARY},          // main list, whole library, quick sort
        {true, 8, true, 1, 10, SORT_LIBRARY},
        {true, 8, true, 1, 8, REFILL_ONLY},           // path column refills
        {true, 8, false, 1, 0, SORT_ROWS_BY_INDEX},   // quick sort off
        {true, 8, true, 2, 0, SORT_ROWS_BY_INDEX},    // a playlist view
        {true, 8, true, 2, 8, SORT_ROWS_BY_INDEX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sorting << " type " << c.type << " quick " << c.quick
                                        << " view " << c.view << " column " << c.column);
        EXPECT_EQ(c.expected, SortActionFor(c.sorting, c.type, c.quick, c.view, c.column));
    }
}

TEST(TrackListRules, ColumnsMapToTheLibrarySortCodes)
{
    const int expected[] = {7, 2, 10, 1, 4, 6, 8, 3, -1, 5, 9};
    for (int column = 0; column < COLUMN_COUNT; ++column)
        EXPECT_EQ(expected[column], LibrarySortCode(column)) << column;
    EXPECT_EQ(-1, LibrarySortCode(-1));
    EXPECT_EQ(-1, LibrarySortCode(11));
}

TEST(TrackListRules, RowIconsFollowTheTypeAndTheHistory)
{
    struct Case
    {
        const char* type;
        bool showPlayed;
        bool inHistory;
        int icon;
    };
    const Case cases[] = {
        {"mp3", false, false, 5}, {"MP3", false, true, 5}, {"Mp3", true, true, 6},
        {"mp3", true, false, 5},  {"wav", true, true, 13}, {"", false, false, 13},
        {nullptr, true, true, 13}, {"mp3x", false, false, 13}, {"mp", false, false, 13},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.icon, RowIcon(c.type, c.showPlayed, c.inHistory)) << (c.type ? c.type : "null");
}

TEST(TrackListRules, AMoveDeletesTheOriginalRowWhereverTheCopyWentIn)
{
    EXPECT_FALSE(MoveIsValid(3, 3));
    EXPECT_FALSE(MoveIsValid(-1, 2));
    EXPECT_FALSE(MoveIsValid(2, -1));
    EXPECT_TRUE(MoveIsValid(0, 2));
    // The copy went in above the original: the original moved down one.
    EXPECT_EQ(5, MovedRowToDelete(4, 1));
    EXPECT_EQ(3, MovedRowToDelete(2, 0));
    // Below: the original kept its index.
    EXPECT_EQ(0, MovedRowToDelete(0, 2));
    EXPECT_EQ(3, MovedRowToDelete(3, 7));
}

TEST(TrackListRules, TheSkinsIJValueSetsTheStyles)
{
    struct Case
    {
        int ij;
        bool juke, style2, style3, explorer;
    };
    const Case cases[] = {
        {0, false, false, false, false}, {1, true, false, false, false}, {2, true, true, false, false},
        {3, true, false, true, false},   {4, false, false, false, true}, {5, false, false, false, false},
        {-1, false, false, false, false},
    };
    for (const Case& c : cases) {
        const JukeStyles s = JukeStylesFromIJ(c.ij);
        EXPECT_EQ(c.juke, s.juke) << c.ij;
        EXPECT_EQ(c.style2, s.style2) << c.ij;
        EXPECT_EQ(c.style3, s.style3) << c.ij;
        EXPECT_EQ(c.explorer, s.explorer) << c.ij;
    }
}

TEST(TrackListRules, HiddenScrollBarsGrowTheWindowAndClipTwoPixelsOfTheHiddenSides)
{
    struct Case
    {
        int which;
        int growW, growH, regionW, regionH;
    };
    // A 300 x 200 client area, bars 17 x 16.
    const Case cases[] = {
        {0, 0, 16, 300, 198},   // horizontal only
        {1, 17, 0, 298, 200},   // vertical only
        {3, 17, 16, 298, 198},  // both
        {2, 0, 0, 300, 200},    // none
    };
    for (const Case& c : cases) {
        const HiddenBarsSize s = HiddenScrollBars(c.which, 300, 200, 17, 16);
        EXPECT_EQ(c.growW, s.growWidth) << c.which;
        EXPECT_EQ(c.growH, s.growHeight) << c.which;
        EXPECT_EQ(c.regionW, s.regionWidth) << c.which;
        EXPECT_EQ(c.regionH, s.regionHeight) << c.which;
    }
}
