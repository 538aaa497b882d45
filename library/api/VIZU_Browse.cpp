// VIZU's entries of the browse views (library/browse): distinct values,
// the album and artist arrays, the ranked lists, the thumbnail pages and
// folder listings. Each holds the library lock where it reaches the state.
#include "library/api/VIZU.h"

#include "framework/ui/CComboBox.h"
#include "framework/ui/CImageList.h"
#include "framework/ui/CListCtrl.h"
#include "framework/ui/CTreeCtrl.h"
#include "library/browse/DistinctViews.h"
#include "library/browse/FolderContents.h"
#include "library/browse/RankedLists.h"
#include "library/browse/ThumbnailPages.h"
#include "library/state/LibraryLock.h"
#include "library/state/LibraryState.h"

namespace {

HWND Handle(const CWnd* control)
{
    return control ? control->GetSafeHwnd() : nullptr;
}

int ComboValues(CComboBox* combo, int code)
{
    LibraryLock lock;
    return browse::DisplayComboValues(lock.State().tracks, Handle(combo), code);
}

int DistinctCount(int code)
{
    LibraryLock lock;
    return browse::DistinctCount(lock.State().tracks, code);
}

} // namespace

int VIZU::DisplayFilteredTree(CTreeCtrl* tree, int code, CString text, CImageList* images,
                              _TREEITEM* parent)
{
    (void)text;
    LibraryLock lock;
    return browse::DisplayFilteredTree(lock.State(), Handle(tree), code,
                                       images ? images->GetSafeHandle() : nullptr, parent);
}

int VIZU::DisplayFilteredList(CListCtrl* list, int code, CString text)
{
    (void)text;
    LibraryLock lock;
    return browse::DisplayFilteredList(lock.State(), Handle(list), code);
}

int VIZU::DisplayComboGenres(CComboBox* combo)
{
    return ComboValues(combo, browse::kFieldGenre);
}

int VIZU::DisplayComboArtists(CComboBox* combo)
{
    return ComboValues(combo, browse::kFieldArtist);
}

int VIZU::DisplayComboAlbums(CComboBox* combo)
{
    return ComboValues(combo, browse::kFieldAlbum);
}

int VIZU::DisplayAlbumTracks(CListCtrl* list, int code, CString value, bool flag1, bool flag2)
{
    (void)flag1;
    (void)flag2;
    LibraryLock lock;
    return browse::DisplayAlbumTracks(lock.State().tracks, Handle(list), code, value);
}

int VIZU::GetArtistCount()
{
    return DistinctCount(browse::kFieldArtist);
}

int VIZU::GetAlbumCount()
{
    return DistinctCount(browse::kFieldAlbum);
}

int VIZU::BuildArtistArray()
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    return browse::BuildDescriptorArray(state.tracks, state.artists, browse::kFieldArtist);
}

int VIZU::BuildAlbumArray()
{
    LibraryLock lock;
    LibraryState& state = lock.State();
    return browse::BuildDescriptorArray(state.tracks, state.albums, browse::kFieldAlbum);
}

int VIZU::GetArtistArrayRecord(int n, tagAlbumDescriptor* entry)
{
    LibraryLock lock;
    return browse::GetDescriptor(lock.State().artists, n, entry);
}

int VIZU::GetAlbumArrayRecord(int n, tagAlbumDescriptor* entry)
{
    LibraryLock lock;
    return browse::GetDescriptor(lock.State().albums, n, entry);
}

int VIZU::DisplayMostPlayedList(CListCtrl* list, int maxRows, bool checkExists, bool plainIcons)
{
    LibraryLock lock;
    return browse::DisplayRankedList(lock.State(), Handle(list), browse::Ranking::MostPlayed,
                                     maxRows, checkExists, plainIcons);
}

int VIZU::DisplayRecentlyAddedList(CListCtrl* list, int maxRows, bool checkExists,
                                   bool plainIcons)
{
    LibraryLock lock;
    return browse::DisplayRankedList(lock.State(), Handle(list), browse::Ranking::RecentlyAdded,
                                     maxRows, checkExists, plainIcons);
}

void VIZU::InitGenreImageMap()
{
    browse::InitGenreImageMap();
}

int VIZU::DisplayYearThumbsToList(CListCtrl* list)
{
    return browse::DisplayThumbPage(Handle(list), browse::ThumbPage::Years);
}

int VIZU::DisplayBPMThumbsToList(CListCtrl* list)
{
    return browse::DisplayThumbPage(Handle(list), browse::ThumbPage::Tempos);
}

int VIZU::DisplayGenreThumbsToList(CListCtrl* list)
{
    return browse::DisplayThumbPage(Handle(list), browse::ThumbPage::Genres);
}

int VIZU::DisplayArtistThumbsToList(CListCtrl* list)
{
    return browse::DisplayThumbPage(Handle(list), browse::ThumbPage::Artists);
}

int VIZU::DisplayAlbumThumbsToList(CListCtrl* list)
{
    return browse::DisplayThumbPage(Handle(list), browse::ThumbPage::Albums);
}

int VIZU::BuildArtistImageList(CListCtrl* list)
{
    return browse::BuildThumbImages(Handle(list), browse::ThumbPage::Artists);
}

int VIZU::BuildAlbumImageList(CListCtrl* list)
{
    return browse::BuildThumbImages(Handle(list), browse::ThumbPage::Albums);
}

void VIZU::ResetThumbnails()
{
    browse::ResetThumbnails();
}

int VIZU::EnumerateFolderContents(CString folder, CListCtrl* list, bool readTags, bool recurse,
                                  bool* aborted, bool showOtherFiles)
{
    browse::FolderListing how;
    how.readTags = readTags;
    how.recurse = recurse;
    how.showOtherFiles = showOtherFiles;
    return browse::ListFolder(folder, Handle(list), how, aborted);
}

int VIZU::EnumerateFolderContents42(CString folder, CListCtrl* list, bool readTags, bool recurse,
                                    bool* aborted, bool showOtherFiles, bool plainIcons)
{
    browse::FolderListing how;
    how.readTags = readTags;
    how.recurse = recurse;
    how.showOtherFiles = showOtherFiles;
    how.plainIcons = plainIcons;
    return browse::ListFolderAfresh(folder, Handle(list), how, aborted);
}
