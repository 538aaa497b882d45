#include "library/browse/ThumbnailPages.h"

#include "framework/win/CWaitCursor.h"
#include "library/browse/BrowseValues.h"
#include "library/browse/ThumbnailPicture.h"
#include "library/records/RecordSort.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"
#include "library/state/MessagePump.h"
#include "library/state/Waiting.h"
#include "library/tags/TagWriting.h"

#include <commctrl.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using ImageMap = std::map<std::string, int>;

// The name maps of the pages: lower-cased name to image index. Reached
// only with the library lock held.
struct ThumbnailMaps
{
    ImageMap genres;
    ImageMap artists;
    ImageMap albums;
};

ThumbnailMaps& Maps()
{
    static ThumbnailMaps maps;
    return maps;
}

std::string Lower(const CString& text)
{
    CString lower = text;
    lower.MakeLower();
    return lower.str();
}

// A name the map does not hold shows image 0 (and is kept with 0).
int Lookup(ImageMap& map, const CString& name)
{
    return map[Lower(name)];
}

struct GenreImages
{
    int image;
    const char* names[8];
};

const GenreImages kGenreImages[] = {
    {0, {"other"}},
    {1, {"rock", "progressive rock", "classic rock", "rock & roll", "rock&roll", "rock and roll",
         "hard rock"}},
    {2, {"reggae"}},
    {3, {"folk", "national folk", "folk/rock"}},
    {4, {"country", "country western"}},
    {5, {"big band"}},
    {6, {"alternative"}},
    {7, {"blues"}},
    {8, {"dance"}},
    {9, {"heavy metal", "metal"}},
    {10, {"oldies"}},
    {11, {"soundtrack", "soundtracks", "showtunes", "musical"}},
    {12, {"club"}},
    {13, {"r&b"}},
    {14, {"southern rock"}},
    {15, {"disco"}},
    {16, {"pop", "rock/pop", "pop/rock"}},
    {17, {"vocals", "easy listening", "vocal"}},
    {18, {"punk", "punk rock"}},
    {19, {"swing"}},
    {20, {"soul"}},
    {21, {"rap"}},
    {22, {"salsa"}},
    {23, {"hip hop", "hip-hop"}},
    {24, {"latin"}},
    {25, {"christian", "christian rock", "christian rap", "gospel"}},
    {26, {"urban"}},
    {27, {"jazz"}},
    {28, {"top 40"}},
    {29, {"techno", "rave"}},
    {30, {"acid", "acid punk", "acid jazz", "psychedelic", "psychadelic", "psychedelic rock"}},
    {31, {"funk", "jazz+funk"}},
};

void FillGenreMap(ImageMap& map)
{
    map.clear();
    for (const GenreImages& entry : kGenreImages)
        for (const char* name : entry.names)
            if (name)
                map[name] = entry.image;
}

struct PageRule
{
    int sortCode;     // the order of the records
    bool waitCursor;
    bool genreMap;    // the genre map is rebuilt first
};

PageRule RuleOf(browse::ThumbPage page)
{
    switch (page) {
    case browse::ThumbPage::Years: return {8, true, true};
    case browse::ThumbPage::Tempos: return {3, true, true};
    case browse::ThumbPage::Genres: return {4, true, true};
    case browse::ThumbPage::Artists: return {2, false, false};
    case browse::ThumbPage::Albums: return {1, true, false};
    }
    return {0, false, false};
}

// The text that splits the page's records into items.
CString PageValue(browse::ThumbPage page, const CTrackRecord& rec)
{
    switch (page) {
    case browse::ThumbPage::Years: return rec.m_Year;
    case browse::ThumbPage::Tempos: return rec.m_BPMText;
    case browse::ThumbPage::Genres: return rec.m_Genre;
    case browse::ThumbPage::Artists: return rec.m_Artist;
    case browse::ThumbPage::Albums: return rec.m_Album;
    }
    return CString();
}

// The field code of a text page.
int FieldOf(browse::ThumbPage page)
{
    switch (page) {
    case browse::ThumbPage::Years: return browse::kFieldYear;
    case browse::ThumbPage::Genres: return browse::kFieldGenre;
    case browse::ThumbPage::Artists: return browse::kFieldArtist;
    default: return browse::kFieldAlbum;
    }
}

struct PageItem
{
    CString text;
    int image = 0;
};

// The page's items from the library's records (the lock held).
std::vector<PageItem> PageItems(LibraryState& state, browse::ThumbPage page)
{
    using browse::ThumbPage;
    const browse::TrackArray& tracks = state.tracks;
    std::vector<uint32_t> firsts;
    if (page == ThumbPage::Tempos) {
        // By the tempo's number alone, split by its text.
        firsts = browse::FirstOfEachValue(
            tracks, SortedOrder(tracks, RuleOf(page).sortCode, false),
            [page](const CTrackRecord& rec) { return PageValue(page, rec); });
    } else {
        for (const browse::DistinctValue& v : browse::DistinctTextValues(tracks, FieldOf(page)))
            firsts.push_back(v.first);
    }
    std::vector<PageItem> items(firsts.size());
    ThumbnailMaps& maps = Maps();
    for (size_t i = 0; i < firsts.size(); ++i) {
        const CTrackRecord& rec = tracks[static_cast<INT_PTR>(firsts[i])];
        PageItem& item = items[i];
        item.text = PageValue(page, rec);
        switch (page) {
        case ThumbPage::Years: item.image = 1; break;
        case ThumbPage::Tempos: item.image = 0; break;
        case ThumbPage::Genres: item.image = Lookup(maps.genres, rec.m_Genre); break;
        case ThumbPage::Artists: item.image = Lookup(maps.artists, rec.m_Artist); break;
        case ThumbPage::Albums:
            item.text.Format("%s\n%s", rec.m_Album.GetString(), rec.m_Artist.GetString());
            item.image = Lookup(maps.albums, rec.m_Album);
            break;
        }
    }
    return items;
}

bool ImagesBuilt(browse::ThumbPage page)
{
    LibraryLock lock;
    const LibraryState& state = lock.State();
    return page == browse::ThumbPage::Artists ? state.thumbnailsArtist : state.thumbnailsAlbum;
}

void InsertPageItem(HWND list, int position, const PageItem& entry)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = position;
    item.pszText = const_cast<char*>(entry.text.GetString());
    item.iImage = entry.image;
    item.lParam = 0;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

} // namespace

void browse::InitGenreImageMap()
{
    LibraryLock lock;
    FillGenreMap(Maps().genres);
}

int browse::GenreImage(const char* genre)
{
    LibraryLock lock;
    return Lookup(Maps().genres, genre ? genre : "");
}

void browse::ResetThumbnails()
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    state.thumbnailsArtist = false;
    state.thumbnailsAlbum = false;
}

int browse::DisplayThumbPage(HWND list, ThumbPage page)
{
    if (!list || !IsWindow(list))
        return 0;
    const PageRule rule = RuleOf(page);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    CWaitCursor* wait = rule.waitCursor ? new CWaitCursor : nullptr;
    if (rule.genreMap)
        InitGenreImageMap();
    if ((page == ThumbPage::Artists || page == ThumbPage::Albums) && !ImagesBuilt(page))
        BuildThumbImages(list, page);
    std::vector<PageItem> items;
    {
        LibraryLock lock;
        items = PageItems(lock.State(), page);
    }
    int count = 0;
    if (IsWindow(list)) {
        SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
        for (const PageItem& item : items)
            InsertPageItem(list, count++, item);
        SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    }
    delete wait;
    return count;
}

int browse::BuildThumbImages(HWND list, ThumbPage page)
{
    const bool artists = page == ThumbPage::Artists;
    Waiting* waiting = LibraryWaitingWindow();
    if (waiting)
        waiting->ShowText(artists ? "Building Artist Thumbnails..." : "Building Album Thumbnails...");
    ProcessMessages();

    // The first record of each artist (album) in name-then-title order:
    // its name and the file asked for a picture.
    std::vector<std::pair<CString, CString>> groups;
    {
        LibraryLock lock;
        LibraryState& state = lock.State();
        (artists ? Maps().artists : Maps().albums).clear();
        const TrackArray& tracks = state.tracks;
        for (const DistinctValue& v : DistinctTextValues(tracks, artists ? kFieldArtist : kFieldAlbum)) {
            const CTrackRecord& rec = tracks[static_cast<INT_PTR>(v.first)];
            groups.emplace_back(artists ? rec.m_Artist : rec.m_Album, rec.m_FileName);
        }
    }

    HIMAGELIST images = list && IsWindow(list)
        ? reinterpret_cast<HIMAGELIST>(SendMessageA(list, LVM_GETIMAGELIST, LVSIL_NORMAL, 0))
        : nullptr;
    if (images) {
        // Image 0, the page's picture for a name without one, stays; the
        // slots after it start empty.
        ImageList_SetImageCount(images, 1);
        ImageList_SetImageCount(images, static_cast<UINT>(groups.size() + 1));
    }
    ImageMap map;
    int next = 1;
    for (const auto& group : groups) {
        ProcessMessages();
        if (!images || !tags::GetID3Picture(group.second))
            continue;
        // A picture that cannot be decoded leaves its name on image 0 and
        // takes no slot.
        HBITMAP thumbnail = MakeThumbnailBitmap(tags::TempTagArtPath(), kThumbnailSize);
        if (!thumbnail)
            continue;
        if (ImageList_Replace(images, next, thumbnail, nullptr))
            map[Lower(group.first)] = next++;
        DeleteObject(thumbnail);
    }

    if (waiting)
        waiting->Hide();
    {
        LibraryLock lock;
        LibraryState& state = lock.State();
        (artists ? Maps().artists : Maps().albums) = std::move(map);
        (artists ? state.thumbnailsArtist : state.thumbnailsAlbum) = true;
    }
    return static_cast<int>(groups.size());
}
