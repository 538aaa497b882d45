// LibraryViewRules: the window-free rules of the library tree and its views
// in the main window: the view codes, the tree's captions and what
// selecting a node does, the status line, the captions of the thumbnail and
// jukebox lists, the row test of the search in the shown list, the saved
// column order and the tree fonts' item height. Built natively too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/CString.h"

namespace library_views {

// What the main track list shows.
enum View : int {
    kViewNone = 0,
    kViewLibrary = 1,
    kViewPlaylist = 2,
    kViewArtist = 3,
    kViewAlbum = 4,
    kViewGenre = 5,
    kViewYear = 6,
    kViewFolder = 7,
    kViewHistory = 8,
    kViewBpm = 9,
    kViewMostPlayed = 10,
    kViewRecentlyAdded = 11,
};

// Field codes of the library's display functions: distinct values
// (trees and lists) and the tracks of one value.
enum Field : int {
    kTracksOfArtist = 20,
    kTracksOfAlbum = 21,
    kTracksOfGenre = 22,
    kTracksOfYear = 24,
    kTracksOfBpm = 26,
    kArtists = 30,
    kAlbums = 31,
    kGenres = 32,
    kYears = 34,
    kEveryField = 35,
    kBpms = 36,
};

// What the thumbnail list and the jukebox list show.
enum ListView : int {
    kListArtists = 2,
    kListAlbums = 3,
    kListGenres = 4,
    kListYears = 5,
    kListPlaylists = 6,
};

// The ten captions of the library tree (section CUSTOMSTRINGS).
enum Caption : int {
    kMyLibrary,
    kMostPlayed,
    kRecentlyAdded,
    kAlbumsNode,
    kArtistsNode,
    kBpmsNode,
    kGenresNode,
    kYearsNode,
    kPlaylists,
    kHistory,
    kCaptionCount
};

// The key of a caption in section CUSTOMSTRINGS ("LIBTREE_MYLIBRARY" ...).
const char* CaptionKey(int caption);

struct TreeCaptions
{
    CString text[kCaptionCount];
    const CString& operator[](int caption) const { return text[caption]; }
};

// The images of the tree's nodes (indexes into the tree's icon strip).
int CaptionImage(int caption);

// One category node under My Library: its caption, its distinct-value
// field code and the tracks-of-one-value field code.
struct Category
{
    int caption;
    int valuesField;
    int tracksField;
};
// Albums, Artists, BPMs, Genres, Years, in the tree's order.
extern const Category kCategories[5];

// The view commands: artists, albums, genres, years (and BPM, tree only).
struct ViewCommand
{
    unsigned command;
    int valuesField;   // distinct values
    int view;          // the library view it sets
    int listView;      // thumbnail and jukebox list view (0: none)
    const char* root;  // the root node the tree form makes
};
// 27404 artists, 27405 albums, 27406 genres, 27407 years, 28114 BPM.
const ViewCommand* FindViewCommand(unsigned command);

// ---- Selecting a node of the library tree.
enum class TreeAction {
    Nothing,            // no text selected, a playlist or history node, an unknown view
    ShowLibrary,        // rule a: the whole library
    ShowMostPlayed,     // b
    ShowRecentlyAdded,  // c
    FillCategory,       // d: the node's children become the distinct values
    ShowCategoryValue,  // e: the tracks of one value under a category node
    ShowPlaylist,       // g: playlist folder + "\" + text
    ShowHistory,        // h: history folder + "\" + text
    ShowValue,          // views 3, 4, 5, 6, 9: tracks whose field is the text
};

struct TreeDecision
{
    TreeAction action = TreeAction::Nothing;
    int field = 0;            // the field code of the library call
    int viewAfter = 0;        // the view after the step
    bool setsName = false;    // the view name becomes the selected text
};

// What selecting a node shows, by the current view (view 7 counts as 1)
// and the selected node's and its parent's texts; captions are compared
// case-insensitively.
TreeDecision DecideTreeSelection(int view, const CString& selected, const CString& parent,
                                 const TreeCaptions& captions);

// The name of a tree action, for logs and tests.
const char* TreeActionName(TreeAction action);

// The kind of the selected node's parent, for the tree's context menu: the
// parent's text compared case-insensitively with fixed words.
int SelectedNodeKind(const CString& parentText);

// ---- Status line and captions.
struct StatusInput
{
    int view = 0;
    CString viewName;
    CString libraryTitle;
    bool hasThumbList = false;
    int thumbView = 0;
    int items = 0;
    int selected = 0;
    bool withTime = false;
    CString time;
};

// "VIEWING %s::%s   ITEMS::%d   SEL::%d[   TIME: %s]".
CString StatusLine(const StatusInput& in);

// "%s::%s": the thumbnail view's label and the selected text in capitals
// ("N/A" when nothing is selected); empty label outside 2..6.
CString ThumbnailCaption(int thumbView, const CString& selectedText);

// The jukebox list's caption ("Artists" ...); empty for other views (then
// nothing is written).
const char* JukeboxListCaption(int listView);

// ---- The search in the shown list.
// Columns read from the main track list.
enum Column : int {
    kColTitle = 0,
    kColArtist = 1,
    kColAlbum = 3,
    kColGenre = 4,
    kColLength = 5,
    kColYear = 6,
    kColBpm = 7,
    kColPath = 8,
    kColIndex = 9,
    kColPlayCount = 10,
    kColumnCount = 11,
};
// The columns joined for the search: 0, 1, 3, 4, 6 and 8.
extern const int kSearchColumns[6];

// The search text as the search compares it (lower case).
std::string SearchKey(const CString& text);
// Whether a row matches: its searched columns (in kSearchColumns order)
// joined with one space, in lower case, contain the key.
bool RowMatches(const std::vector<CString>& searchedColumns, const std::string& key);

// ---- Column order of the main track list: eleven 32-bit entries.
const size_t kColumnOrderBytes = kColumnCount * 4;
// The stored bytes of an order (little-endian int32 each).
std::string PackColumnOrder(const int (&order)[kColumnCount]);
// The order from stored bytes: false (order untouched) when the size is
// not 44 or the entries are not the columns 0 to 10 each once.
bool UnpackColumnOrder(const std::string& bytes, int (&order)[kColumnCount]);

// ---- Tree fonts: item height for a size in tenths of a point.
int TreeItemHeight(int sizeTenths);

} // namespace library_views
