#include "mainwindow/library/LibraryViewRules.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace library_views {

namespace {

const char* const kCaptionKeys[kCaptionCount] = {
    "LIBTREE_MYLIBRARY", "LIBTREE_MOSTPLAYED", "LIBTREE_RECENTLYADDED", "LIBTREE_ALBUMS",
    "LIBTREE_ARTISTS",   "LIBTREE_BPMS",       "LIBTREE_GENRES",        "LIBTREE_YEARS",
    "LIBTREE_PLAYLISTS", "LIBTREE_HISTORY",
};

const int kCaptionImages[kCaptionCount] = {5, 5, 5, 3, 4, 8, 7, 10, 2, 10};

const ViewCommand kViewCommands[] = {
    {27404, kArtists, kViewArtist, kListArtists, "Artist List"},
    {27405, kAlbums, kViewAlbum, kListAlbums, "Album List"},
    {27406, kGenres, kViewGenre, kListGenres, "Genre List"},
    {27407, kYears, kViewYear, kListYears, "Year List"},
    {28114, kBpms, kViewBpm, 0, "BPM List"},
};

// A node's text is a caption: case-insensitive, and an empty caption is
// never matched (a root node has an empty parent text).
bool Is(const CString& text, const CString& caption)
{
    return !caption.IsEmpty() && text.CompareNoCase(caption) == 0;
}

std::string Lower(const char* text)
{
    std::string out(text ? text : "");
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

const Category kCategories[5] = {
    {kAlbumsNode, kAlbums, kTracksOfAlbum},
    {kArtistsNode, kArtists, kTracksOfArtist},
    {kBpmsNode, kBpms, kTracksOfBpm},
    {kGenresNode, kGenres, kTracksOfGenre},
    {kYearsNode, kYears, kTracksOfYear},
};

const int kSearchColumns[6] = {kColTitle, kColArtist, kColAlbum, kColGenre, kColYear, kColPath};

const char* CaptionKey(int caption)
{
    return caption >= 0 && caption < kCaptionCount ? kCaptionKeys[caption] : "";
}

int CaptionImage(int caption)
{
    return caption >= 0 && caption < kCaptionCount ? kCaptionImages[caption] : 0;
}

const ViewCommand* FindViewCommand(unsigned command)
{
    for (const ViewCommand& c : kViewCommands)
        if (c.command == command)
            return &c;
    return nullptr;
}

TreeDecision DecideTreeSelection(int view, const CString& selected, const CString& parent,
                                 const TreeCaptions& captions)
{
    TreeDecision d;
    d.viewAfter = view == kViewFolder ? kViewLibrary : view;
    if (selected.IsEmpty())
        return d;
    const int current = d.viewAfter;
    switch (current) {
    case kViewArtist: case kViewAlbum: case kViewGenre: case kViewYear: case kViewBpm: {
        static const int fields[] = {kTracksOfArtist, kTracksOfAlbum, kTracksOfGenre, kTracksOfYear};
        d.action = TreeAction::ShowValue;
        d.field = current == kViewBpm ? kTracksOfBpm : fields[current - kViewArtist];
        d.setsName = true;
        return d;
    }
    case kViewLibrary: case kViewPlaylist: case kViewHistory: case kViewMostPlayed:
    case kViewRecentlyAdded:
        break;
    default:
        return d;
    }
    auto decide = [&](TreeAction action, int field, int after, bool name) {
        d.action = action;
        d.field = field;
        d.viewAfter = after;
        d.setsName = name;
        return d;
    };
    if (Is(selected, captions[kMyLibrary]))
        return decide(TreeAction::ShowLibrary, 0, kViewLibrary, true);
    if (Is(selected, captions[kMostPlayed]))
        return decide(TreeAction::ShowMostPlayed, 0, kViewMostPlayed, true);
    if (Is(selected, captions[kRecentlyAdded]))
        return decide(TreeAction::ShowRecentlyAdded, 0, kViewRecentlyAdded, true);
    for (const Category& c : kCategories)
        if (Is(selected, captions[c.caption]))
            return decide(TreeAction::FillCategory, c.valuesField, kViewLibrary, true);
    for (const Category& c : kCategories)
        if (Is(parent, captions[c.caption]))
            return decide(TreeAction::ShowCategoryValue, c.tracksField, current, false);
    if (Is(selected, captions[kPlaylists]) || Is(selected, captions[kHistory]))
        return decide(TreeAction::Nothing, 0, current, false);
    if (Is(parent, captions[kPlaylists]))
        return decide(TreeAction::ShowPlaylist, 0, kViewPlaylist, true);
    return decide(TreeAction::ShowHistory, 0, kViewHistory, true);
}

const char* TreeActionName(TreeAction action)
{
    switch (action) {
    case TreeAction::Nothing: return "nothing";
    case TreeAction::ShowLibrary: return "library";
    case TreeAction::ShowMostPlayed: return "most played";
    case TreeAction::ShowRecentlyAdded: return "recently added";
    case TreeAction::FillCategory: return "category";
    case TreeAction::ShowCategoryValue: return "category value";
    case TreeAction::ShowPlaylist: return "playlist";
    case TreeAction::ShowHistory: return "history";
    case TreeAction::ShowValue: return "value";
    }
    return "";
}

int SelectedNodeKind(const CString& parentText)
{
    static const struct { const char* word; int kind; } kinds[] = {
        {"My Library", 1}, {"Playlists", 2}, {"History", 8}, {"Artist List", 3},
        {"Album List", 4}, {"Genre List", 5}, {"Year List", 6}, {"BPM List", 9},
    };
    for (const auto& k : kinds)
        if (parentText.CompareNoCase(k.word) == 0)
            return k.kind;
    return 0;
}

CString StatusLine(const StatusInput& in)
{
    static const char* const labels[] = {"",       "MY LIBRARY", "PLAYLIST",    "ARTIST",
                                         "ALBUM",  "GENRE",      "YEAR",        "MY COMPUTER",
                                         "HISTORY", "BPM",       "MY LIBRARY",  "MY LIBRARY"};
    const char* label = in.view >= 1 && in.view <= 11 ? labels[in.view] : "";
    CString second = in.view == kViewLibrary ? in.libraryTitle : in.viewName;
    if (in.hasThumbList) {
        static const char* const thumbLabels[] = {"ARTIST", "ALBUM", "GENRE", "YEAR", "PLAYLIST"};
        if (in.thumbView >= kListArtists && in.thumbView <= kListPlaylists)
            label = thumbLabels[in.thumbView - kListArtists];
    }
    CString text;
    if (in.withTime)
        text.Format("VIEWING %s::%s   ITEMS::%d   SEL::%d   TIME: %s", label, second.GetString(), in.items,
                    in.selected, in.time.GetString());
    else
        text.Format("VIEWING %s::%s   ITEMS::%d   SEL::%d", label, second.GetString(), in.items,
                    in.selected);
    return text;
}

CString ThumbnailCaption(int thumbView, const CString& selectedText)
{
    static const char* const labels[] = {"ARTISTS", "ALBUMS", "GENRES", "YEARS", "PLAYLISTS"};
    const char* label =
        thumbView >= kListArtists && thumbView <= kListPlaylists ? labels[thumbView - kListArtists] : "";
    CString selected = selectedText.IsEmpty() ? CString("N/A") : selectedText;
    selected.MakeUpper();
    CString text;
    text.Format("%s::%s", label, selected.GetString());
    return text;
}

const char* JukeboxListCaption(int listView)
{
    static const char* const captions[] = {"Artists", "Albums", "Genres", "Years", "Playlists"};
    return listView >= kListArtists && listView <= kListPlaylists ? captions[listView - kListArtists] : "";
}

std::string SearchKey(const CString& text)
{
    return Lower(text.GetString());
}

bool RowMatches(const std::vector<CString>& searchedColumns, const std::string& key)
{
    if (key.empty())
        return false;
    std::string joined;
    for (size_t i = 0; i < searchedColumns.size(); ++i) {
        if (i)
            joined += ' ';
        joined += searchedColumns[i].GetString();
    }
    return Lower(joined.c_str()).find(key) != std::string::npos;
}

std::string PackColumnOrder(const int (&order)[kColumnCount])
{
    std::string bytes(kColumnOrderBytes, '\0');
    for (int i = 0; i < kColumnCount; ++i) {
        const uint32_t v = static_cast<uint32_t>(order[i]);
        for (int b = 0; b < 4; ++b)
            bytes[static_cast<size_t>(i * 4 + b)] = static_cast<char>((v >> (8 * b)) & 0xFF);
    }
    return bytes;
}

bool UnpackColumnOrder(const std::string& bytes, int (&order)[kColumnCount])
{
    if (bytes.size() != kColumnOrderBytes)
        return false;
    int read[kColumnCount];
    bool seen[kColumnCount] = {};
    for (int i = 0; i < kColumnCount; ++i) {
        uint32_t v = 0;
        for (int b = 0; b < 4; ++b)
            v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[static_cast<size_t>(i * 4 + b)]))
                 << (8 * b);
        const int32_t column = static_cast<int32_t>(v);
        if (column < 0 || column >= kColumnCount || seen[column])
            return false;
        seen[column] = true;
        read[i] = column;
    }
    std::copy(read, read + kColumnCount, order);
    return true;
}

int TreeItemHeight(int sizeTenths)
{
    return sizeTenths / 10 + 10;
}

} // namespace library_views
