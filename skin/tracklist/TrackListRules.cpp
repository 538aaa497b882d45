#include "skin/tracklist/TrackListRules.h"

#include <cctype>

namespace tracklist_rules {

namespace {

bool SortsRowsByData(int listType)
{
    return (listType >= 1 && listType <= 7) || listType == 10 ||
           (listType >= 4005 && listType <= 4009) || listType == 4011;
}

bool EqualsNoCase(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}

} // namespace

SortAction SortActionFor(bool sortingOn, int listType, bool quickSortOn, int libraryView, int column)
{
    if (!sortingOn)
        return SORT_NONE;
    if (SortsRowsByData(listType))
        return SORT_ROWS_BY_DATA;
    if (listType != kMainTrackList)
        return SORT_NONE;
    if (!quickSortOn || libraryView != kWholeLibraryView)
        return SORT_ROWS_BY_INDEX;
    return LibrarySortCode(column) < 0 ? REFILL_ONLY : SORT_LIBRARY;
}

int LibrarySortCode(int column)
{
    static const int codes[COLUMN_COUNT] = {7, 2, 10, 1, 4, 6, 8, 3, -1, 5, 9};
    return column >= 0 && column < COLUMN_COUNT ? codes[column] : -1;
}

int RowIcon(const char* fileType, bool showPlayedIcon, bool inHistory)
{
    if (!fileType || !EqualsNoCase(fileType, "mp3"))
        return 13;
    return showPlayedIcon && inHistory ? 6 : 5;
}

bool MoveIsValid(int from, int to)
{
    return from != to && from >= 0 && to >= 0;
}

int MovedRowToDelete(int from, int to)
{
    return to <= from ? from + 1 : from;
}

JukeStyles JukeStylesFromIJ(int ij)
{
    JukeStyles styles;
    switch (ij) {
    case 1: styles.juke = true; break;
    case 2: styles.juke = styles.style2 = true; break;
    case 3: styles.juke = styles.style3 = true; break;
    case 4: styles.explorer = true; break;
    default: break;
    }
    return styles;
}

HiddenBarsSize HiddenScrollBars(int which, int clientWidth, int clientHeight, int barWidth,
                                int barHeight)
{
    const bool vertical = which == 1 || which == 3;
    const bool horizontal = which == 0 || which == 3;
    HiddenBarsSize size;
    size.growWidth = vertical ? barWidth : 0;
    size.growHeight = horizontal ? barHeight : 0;
    size.regionWidth = clientWidth - (vertical ? 2 : 0);
    size.regionHeight = clientHeight - (horizontal ? 2 : 0);
    return size;
}

} // namespace tracklist_rules
