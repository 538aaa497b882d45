// The track list's rules that need no window: which sort a header click
// runs, the library sort code of a column, the row icon, the row that a
// move deletes, the jukebox styles of the skin's IJ value and the size the
// hidden scroll bars leave. Portable (built natively too).
#pragma once

namespace tracklist_rules {

// Columns of a track list row.
enum Column
{
    COL_TITLE = 0, COL_ARTIST = 1, COL_EMPTY = 2, COL_ALBUM = 3, COL_GENRE = 4, COL_LENGTH = 5,
    COL_YEAR = 6, COL_BPM = 7, COL_PATH = 8, COL_INDEX = 9, COL_PLAYCOUNT = 10,
    COLUMN_COUNT = 11
};

// The list type of the main track list, and the library view "whole library".
const int kMainTrackList = 8;
const int kWholeLibraryView = 1;

// What a click on a column header does.
enum SortAction
{
    SORT_NONE,          // sorting off, or a list type that does not sort
    SORT_ROWS_BY_DATA,  // rows sorted in place by the library's comparison (item data)
    SORT_ROWS_BY_INDEX, // rows sorted in place by row index (the main list without quick sort)
    SORT_LIBRARY,       // the library's track array sorted, then the list refilled
    REFILL_ONLY,        // the list refilled from the library without sorting (path column)
};
SortAction SortActionFor(bool sortingOn, int listType, bool quickSortOn, int libraryView, int column);

// The library's sort code of a column of the main track list; -1 for the
// file path column and for columns outside 0 to 10.
int LibrarySortCode(int column);

// The row icon: 13 for a file type other than "mp3" (any case); an MP3
// gets 6 when played-song icons are on and it is in the history, else 5.
int RowIcon(const char* fileType, bool showPlayedIcon, bool inHistory);

// After a copy of row `from` went in at `to`: the index of the original
// row, which is deleted.
int MovedRowToDelete(int from, int to);
// Whether MoveItem acts at all (from and to differ, neither negative).
bool MoveIsValid(int from, int to);

// The skin's IJ value: jukebox style, style 2, style 3, explorer theme.
struct JukeStyles
{
    bool juke = false;
    bool style2 = false;
    bool style3 = false;
    bool explorer = false;
};
JukeStyles JukeStylesFromIJ(int ij);

// Which scroll bars: 0 horizontal, 1 vertical, 3 both (other values: none).
struct HiddenBarsSize
{
    int growWidth;    // the window grows by the vertical bar's width...
    int growHeight;   // ...and the horizontal bar's height
    int regionWidth;  // the region that clips it back
    int regionHeight;
};
HiddenBarsSize HiddenScrollBars(int which, int clientWidth, int clientHeight, int barWidth,
                                int barHeight);

} // namespace tracklist_rules
