#include "mainwindow/library/LibraryViews.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <commctrl.h>

#include "foundation/app/MessageTexts.h"
#include "foundation/app/WaitingMessages.h"
#include "framework/ui/AfxWin.h"
#include "framework/win/CWaitCursor.h"
#include "library/api/LibraryArrays.h"
#include "library/api/VIZU.h"
#include "mainwindow/lists/QueueArrays.h"
#include "mainwindow/parts/MainWindowParts.h"
#include "skin/create/FindSkinControl.h"
#include "skin/fields/TXVStatusField.h"
#include "skin/file/Skin.h"
#include "skin/thumblist/TXVThumbList.h"
#include "skin/tracklist/TXVTrackList.h"

using namespace library_views;

namespace {

// The display worker's report that its fill ended (wParam: its generation).
const UINT kDisplayJobDone = WM_APP + 0x4C1;
const char kNotifyClass[] = "TavrixLibraryViewsNotify";
// The library filter's title field (the filter edit filters by title).
const int kFilterTitleField = 23;

// The main window's list codes of the floating list.
const int kListDeckA = 4005, kListDeckB = 4006, kListSearch = 4007, kListHistory = 4008,
          kListRequest = 4009, kListAutoMix = 4011;

int32_t ControlId(const char* name)
{
    return TheSkin().LookupControlName(name);
}

template <class T>
T* Control(HWND main, const char* name)
{
    return FindSkinControl<T>(main, ControlId(name));
}

void SelectFirstRow(CListCtrl* list)
{
    if (list && list->GetItemCount() > 0)
        list->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

} // namespace

struct LibraryViews::Controls
{
    CTreeCtrl* tree = nullptr;
    CListCtrl* trackList = nullptr;
    CListCtrl* searchList = nullptr;
    TXVStatusField* status = nullptr;
    TXVThumbList* thumbs = nullptr;
    CListCtrl* jukeList = nullptr;
};

LibraryViews::LibraryViews(MainWindowParts& parts) : m_parts(parts)
{
    const char* const defaults[kCaptionCount] = {"My Library", "Most Played", "Recently Added", "Albums",
                                                 "Artists",    "BPMs",        "Genres",         "Years",
                                                 "Playlists",  "History"};
    for (int i = 0; i < kCaptionCount; ++i)
        m_captions.text[i] = defaults[i];
}

LibraryViews::~LibraryViews()
{
    m_bJobBusy = false;
    CancelDisplayFill();
    if (m_hNotify)
        ::DestroyWindow(m_hNotify);
}

void LibraryViews::Attach(HWND mainWindow, const LibraryViewSettings& settings, CImageList* trackImages,
                          QueueArrays* queues)
{
    m_hMain = mainWindow;
    m_settings = settings;
    m_pTrackImages = trackImages;
    m_pQueues = queues;
    if (m_hNotify)
        return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &LibraryViews::NotifyProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kNotifyClass;
    ::RegisterClassA(&wc);   // fails harmlessly when registered already
    m_hNotify = ::CreateWindowExA(0, kNotifyClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr);
    if (m_hNotify)
        ::SetWindowLongPtrA(m_hNotify, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void LibraryViews::LoadLibraryTreeCaptions()
{
    for (int i = 0; i < kCaptionCount; ++i) {
        char text[512] = "";
        ::GetPrivateProfileStringA("CUSTOMSTRINGS", CaptionKey(i), "", text, sizeof text, m_settings.iniPath);
        m_captions.text[i] = text;
    }
}

LibraryViews::Controls LibraryViews::Find() const
{
    Controls c;
    c.tree = Control<CTreeCtrl>(m_hMain, "mylibrary");
    c.trackList = Control<CListCtrl>(m_hMain, "tracklist");
    c.searchList = Control<CListCtrl>(m_hMain, "searchlist");
    c.status = Control<TXVStatusField>(m_hMain, "s-tracklist");
    c.thumbs = Control<TXVThumbList>(m_hMain, "thumblist");
    c.jukeList = Control<CListCtrl>(m_hMain, "jukelist");
    return c;
}

HWND LibraryViews::TrackListWindow() const
{
    CListCtrl* list = Control<CListCtrl>(m_hMain, "tracklist");
    return list ? list->GetSafeHwnd() : nullptr;
}

CImageList* LibraryViews::SmallImages(CListCtrl* list) const
{
    if (TXVTrackList* tracks = dynamic_cast<TXVTrackList*>(list))
        return &tracks->GetSmallImages();
    return list ? list->GetImageList(LVSIL_SMALL) : nullptr;
}

bool LibraryViews::IsIconView(CListCtrl* list) const
{
    TXVTrackList* tracks = dynamic_cast<TXVTrackList*>(list);
    return tracks && tracks->IsIconView();
}

bool LibraryViews::IsShown(CWnd* wnd) const
{
    return wnd && wnd->GetSafeHwnd() && ::IsWindowVisible(wnd->GetSafeHwnd());
}

CString LibraryViews::TakeEditText(int controlId)
{
    HWND edit = FindSkinWindow(m_hMain, controlId);
    if (!edit)
        return CString();
    const int length = ::GetWindowTextLengthA(edit);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(edit, &text[0], length + 1);
    ::SetWindowTextA(edit, "");
    return CString(text.c_str());
}

// ---------------------------------------------------------------- the tree

void LibraryViews::BuildLibraryTree()
{
    Skin& skin = TheSkin();
    Controls c = Find();
    if (skin.IsJukeMode()) {
        if (c.jukeList) {
            VIZU::EnumeratePlaylistsToList(c.jukeList, m_settings.playlistFolder);
            SelectFirstRow(c.jukeList);
        }
        m_nJukeListView = kListPlaylists;
        UpdateJukeboxListCaption();
        return;
    }
    if (c.thumbs) {
        c.thumbs->SetImageList(&c.thumbs->GetBasicThumbnails(), LVSIL_NORMAL);
        VIZU::EnumeratePlaylistsToThumbList(c.thumbs, m_settings.playlistFolder);
        m_nThumbView = kListPlaylists;
        UpdateThumbnailCaption();
        return;
    }
    if (!c.tree)
        return;
    CTreeCtrl& tree = *c.tree;
    tree.SetRedraw(FALSE);
    tree.DeleteAllItems();
    const int libraryImage = CaptionImage(kMyLibrary);
    HTREEITEM library = tree.InsertItem(m_captions[kMyLibrary], libraryImage, libraryImage, TVI_ROOT);
    for (int caption = kMostPlayed; caption <= kYearsNode; ++caption) {
        const int image = CaptionImage(caption);
        tree.InsertItem(m_captions[caption], image, image, library);
    }
    const int playlistImage = CaptionImage(kPlaylists);
    tree.InsertItem(m_captions[kPlaylists], playlistImage, playlistImage, TVI_ROOT);
    VIZU::EnumeratePlaylists(&tree, m_pTrackImages, m_settings.playlistFolder);
    if (m_settings.mcInLib && m_folders.GetHandler())
        m_folders.GetHandler()->InsertMyComputerNode(tree);
    const int historyImage = CaptionImage(kHistory);
    tree.InsertItem(m_captions[kHistory], historyImage, historyImage, TVI_ROOT);
    VIZU::EnumerateHistoryLists(&tree, m_pTrackImages, m_settings.historyFolder);
    tree.Expand(library, TVE_EXPAND);
    tree.EnsureVisible(library);
    tree.SetRedraw(TRUE);
    m_nView = kViewLibrary;
}

void LibraryViews::OnViewCommand(unsigned command)
{
    const ViewCommand* view = FindViewCommand(command);
    if (!view)
        return;
    Skin& skin = TheSkin();
    Controls c = Find();
    if (view->listView != 0) {
        if (skin.IsJukeMode() && skin.IsJukeMode2() && (command == 27404 || command == 27405)) {
            m_parts.ShowJukeboxPage(command == 27404 ? 1 : 0);
            return;
        }
        if (skin.IsJukeMode()) {
            if (c.jukeList) {
                VIZU::DisplayFilteredList(c.jukeList, view->valuesField, "");
                SelectFirstRow(c.jukeList);
                if (command == 27404)
                    ::SetFocus(c.jukeList->GetSafeHwnd());
            }
            m_nJukeListView = view->listView;
            UpdateJukeboxListCaption();
            m_nView = view->view;
            return;
        }
        if (c.thumbs) {
            CImageList* images = &c.thumbs->GetBasicThumbnails();
            if (command == 27404)
                images = &c.thumbs->GetDefaultList(0);
            else if (command == 27405)
                images = &c.thumbs->GetDefaultList(1);
            else if (command == 27406)
                images = &c.thumbs->GetGenreImages();
            c.thumbs->SetImageList(images, LVSIL_NORMAL);
            switch (command) {
            case 27404: VIZU::DisplayArtistThumbsToList(c.thumbs); break;
            case 27405: VIZU::DisplayAlbumThumbsToList(c.thumbs); break;
            case 27406: VIZU::DisplayGenreThumbsToList(c.thumbs); break;
            default: VIZU::DisplayYearThumbsToList(c.thumbs); break;
            }
            m_nThumbView = view->listView;
            UpdateThumbnailCaption();
            m_nView = view->view;
            return;
        }
    }
    if (c.tree) {
        VIZU::DisplayFilteredTree(c.tree, view->valuesField, "", m_pTrackImages, nullptr);
        if (HTREEITEM root = c.tree->GetRootItem())
            c.tree->Expand(root, TVE_EXPAND);
    }
    m_nView = view->view;
}

void LibraryViews::ShowWholeLibrary(CListCtrl* list)
{
    if (!list)
        return;
    if (m_settings.useDisplayThread && m_startDisplayJob) {
        m_jobList = list;
        m_jobImages = SmallImages(list);
        m_jobIconView = IsIconView(list);
        m_jobGeneration = m_generation.load();
        m_parts.SetBusyIndicator(true);
        m_bJobBusy = true;
        if (m_startDisplayJob())
            return;
        m_bJobBusy = false;
        m_parts.SetBusyIndicator(false);
    }
    m_parts.SetBusyIndicator(true);
    VIZU::SortTrackListA(7);
    VIZU::DisplayTracks(list, m_settings.displayBadLinks, SmallImages(list), false, false);
    m_parts.SetBusyIndicator(false);
}

void LibraryViews::DisplayTreeSelection()
{
    DispatchWaitingMessages();
    Controls c = Find();
    HTREEITEM selected = c.tree ? c.tree->GetSelectedItem() : nullptr;
    HTREEITEM parent = selected ? c.tree->GetParentItem(selected) : nullptr;
    const CString selectedText = selected ? c.tree->GetItemText(selected) : CString();
    const CString parentText = parent ? c.tree->GetItemText(parent) : CString();
    if (!selectedText.IsEmpty()) {
        const DWORD_PTR data = c.tree->GetItemData(selected);
        LibraryFolderNodes::Handler* folders = m_folders.GetHandler();
        if (folders && m_folders.IsFolderRecord(data)) {
            const CString path = folders->PathOf(*c.tree, selected, data);
            if (!path.IsEmpty() || !folders->HasParentFolder(data)) {
                CancelDisplayFill();
                folders->ListFolder(path);
                m_nView = kViewFolder;
                m_strViewName = path;
                UpdateLibraryStatusLine();
                return;
            }
            DispatchWaitingMessages();
        }
        const TreeDecision d = DecideTreeSelection(m_nView, selectedText, parentText, m_captions);
        CListCtrl* list = c.trackList;
        if (d.action != TreeAction::Nothing && d.action != TreeAction::FillCategory)
            CancelDisplayFill();
        switch (d.action) {
        case TreeAction::Nothing:
            break;
        case TreeAction::ShowLibrary:
            ShowWholeLibrary(list);
            break;
        case TreeAction::ShowMostPlayed:
            if (list)
                VIZU::DisplayMostPlayedList(list, m_settings.mostPlayedNum, m_settings.displayBadLinks,
                                            IsIconView(list));
            break;
        case TreeAction::ShowRecentlyAdded:
            if (list)
                VIZU::DisplayRecentlyAddedList(list, m_settings.recentAddedNum, m_settings.displayBadLinks,
                                               IsIconView(list));
            break;
        case TreeAction::FillCategory:
            VIZU::DisplayFilteredTree(c.tree, d.field, "", m_pTrackImages, selected);
            break;
        case TreeAction::ShowCategoryValue:
        case TreeAction::ShowValue:
            if (list)
                VIZU::DisplayFilteredTracksNoFind(list, d.field, selectedText, true, false);
            break;
        case TreeAction::ShowPlaylist:
            if (list)
                VIZU::XML_DisplayPL(list, SmallImages(list), m_settings.playlistFolder + "\\" + selectedText,
                                    m_settings.displayBadLinks);
            break;
        case TreeAction::ShowHistory:
            if (list)
                VIZU::XML_DisplayPL(list, SmallImages(list), m_settings.historyFolder + "\\" + selectedText,
                                    m_settings.displayBadLinks);
            break;
        }
        m_nView = d.viewAfter;
        if (d.setsName)
            m_strViewName = selectedText;
    }
    UpdateLibraryStatusLine();
}

void LibraryViews::SelectLibraryRoot()
{
    Controls c = Find();
    if (!c.tree)
        return;
    HTREEITEM root = c.tree->GetRootItem();
    if (!root)
        return;
    c.tree->Invalidate();
    if (c.tree->GetSelectedItem() == root) {
        // No selection change is notified: show it here.
        DisplayTreeSelection();
        return;
    }
    c.tree->SelectItem(root);
}

int LibraryViews::GetSelectedNodeKind()
{
    Controls c = Find();
    HTREEITEM selected = c.tree ? c.tree->GetSelectedItem() : nullptr;
    HTREEITEM parent = selected ? c.tree->GetParentItem(selected) : nullptr;
    return SelectedNodeKind(parent ? c.tree->GetItemText(parent) : CString());
}

CString LibraryViews::SelectedParentText()
{
    Controls c = Find();
    HTREEITEM selected = c.tree ? c.tree->GetSelectedItem() : nullptr;
    HTREEITEM parent = selected ? c.tree->GetParentItem(selected) : nullptr;
    return parent ? c.tree->GetItemText(parent) : CString();
}

CString LibraryViews::GetSelectedPlaylistPath()
{
    Controls c = Find();
    HTREEITEM selected = c.tree ? c.tree->GetSelectedItem() : nullptr;
    if (!selected)
        return CString();
    const CString parent = SelectedParentText();
    const CString name = c.tree->GetItemText(selected);
    if (parent.CompareNoCase("Playlists") == 0)
        return m_settings.playlistFolder + "\\" + name + ".txl";
    if (parent.CompareNoCase("History") == 0)
        return m_settings.historyFolder + "\\" + name + ".txl";
    return CString();
}

bool LibraryViews::IsFolderNodeSelected()
{
    Controls c = Find();
    HTREEITEM selected = c.tree ? c.tree->GetSelectedItem() : nullptr;
    return selected && m_folders.IsFolderRecord(c.tree->GetItemData(selected));
}

// ---------------------------------------------------------------- captions

void LibraryViews::UpdateLibraryStatusLine()
{
    Controls c = Find();
    if (!c.status)
        return;
    StatusInput in;
    in.view = m_nView;
    in.viewName = m_strViewName;
    if (m_nView == kViewLibrary)
        in.libraryTitle = VIZU::GetLibTitle();
    in.hasThumbList = c.thumbs != nullptr;
    in.thumbView = m_nThumbView;
    if (c.trackList) {
        in.items = c.trackList->GetItemCount();
        in.selected = static_cast<int>(c.trackList->GetSelectedCount());
    }
    in.withTime = c.status->GetTimeFlag();
    if (in.withTime)
        in.time = c.trackList ? VIZU::GetTotalQueueTime(c.trackList) : VIZU::SecondsToHHMMSS(0);
    c.status->SetText(StatusLine(in));
}

void LibraryViews::UpdateThumbnailCaption()
{
    TXVThumbList* thumbs = Control<TXVThumbList>(m_hMain, "thumblist");
    if (!thumbs)
        return;
    HWND field = FindSkinWindow(m_hMain, ControlId("thumbview"));
    if (!field || !::IsWindowVisible(field))
        return;
    m_parts.SetTextField("thumbview", ThumbnailCaption(m_nThumbView, thumbs->GetSelectedText()));
}

void LibraryViews::UpdateJukeboxListCaption()
{
    const char* caption = JukeboxListCaption(m_nJukeListView);
    if (*caption)
        m_parts.SetTextField("jukectext", caption);
}

// ---------------------------------------------------------------- search

void LibraryViews::OnSearchGo()
{
    const CString text = TakeEditText(ControlId("editsearch"));
    if (!text.IsEmpty()) {
        const int found = VIZU::DoSearch(text, kEveryField);
        Controls c = Find();
        const bool listShown = IsShown(c.searchList);
        if (found >= 1) {
            if (m_pQueues) {
                m_pQueues->search.RemoveAll();
                for (INT_PTR i = 0; i < m_SearchTracks.GetSize(); ++i)
                    m_pQueues->search.Add(m_SearchTracks[i]);
            }
            if (listShown) {
                VIZU::DisplayCurrentSearchResults(c.searchList);
            } else if (m_popup.Create(m_hMain)) {
                m_popup.SetTitle("Search List");
                m_popup.SetListType(kListSearch);
                VIZU::DisplayCurrentSearchResults(&m_popup.List());
                m_popup.Show();
            }
        } else if (found == 0) {
            if (m_pQueues)
                m_pQueues->search.RemoveAll();
            if (listShown) {
                c.searchList->DeleteAllItems();
            } else {
                CString message;
                message.Format("No matches found for\n%s", text.GetString());
                ShowMessage(message);
            }
        }
    }
    m_parts.UpdateSearchListCaption();
}

void LibraryViews::FilterTrackList()
{
    const std::string key = SearchKey(TakeEditText(ControlId("editsearchlist")));
    if (key.empty())
        return;
    CWaitCursor wait;
    Controls c = Find();
    const bool toSearchList = IsShown(c.searchList);
    CListCtrl* target = nullptr;
    if (toSearchList)
        target = c.searchList;
    else if (m_popup.Create(m_hMain))
        target = &m_popup.List();
    if (!target)
        return;
    HWND targetWnd = target->GetSafeHwnd();
    if (toSearchList)
        target->SetRedraw(FALSE);
    target->DeleteAllItems();
    if (m_pQueues)
        m_pQueues->search.RemoveAll();
    CImageList* images = SmallImages(target);
    CTrackRecord rec;
    std::vector<CString> columns(sizeof kSearchColumns / sizeof kSearchColumns[0]);
    CListCtrl* list = c.trackList;
    HWND listWnd = list ? list->GetSafeHwnd() : nullptr;
    for (int row = 0; listWnd && row < list->GetItemCount(); ++row) {
        if (row > 0 && row % 10 == 0) {
            DispatchWaitingMessages();
            if (!::IsWindow(listWnd) || !::IsWindow(targetWnd))
                break;
        }
        for (size_t k = 0; k < columns.size(); ++k)
            columns[k] = list->GetItemText(row, kSearchColumns[k]);
        if (!RowMatches(columns, key))
            continue;
        rec.m_Title = columns[0];
        rec.m_Artist = columns[1];
        rec.m_Album = columns[2];
        rec.m_Genre = columns[3];
        rec.m_Year = columns[4];
        rec.m_FileName = columns[5];
        rec.m_BPMText = list->GetItemText(row, kColBpm);
        rec.m_Index = std::atoi(list->GetItemText(row, kColIndex).GetString());
        rec.m_PlayCount = std::atoi(list->GetItemText(row, kColPlayCount).GetString());
        rec.m_Length = VIZU::StringToSeconds(list->GetItemText(row, kColLength));
        VIZU::InsertRecIntoList(target, images, &rec, true);
        if (m_pQueues)
            m_pQueues->search.Add(rec);
    }
    if (!::IsWindow(targetWnd))
        return;
    if (toSearchList) {
        target->SetRedraw(TRUE);
        m_parts.UpdateSearchListCaption();
    } else {
        m_popup.SetTitle("Search List");
        m_popup.SetListType(kListSearch);
        m_popup.Show();
    }
}

void LibraryViews::OnFilterOff()
{
    SelectLibraryRoot();
    m_bFilterActive = false;
    UpdateLibraryStatusLine();
}

void LibraryViews::FilterByTitle(const CString& text)
{
    Controls c = Find();
    if (!c.trackList)
        return;
    // A fill still running into the list would mix its rows with these.
    CancelDisplayFill();
    VIZU::DisplayFilteredTracks(c.trackList, kFilterTitleField, text, true);
    m_bFilterActive = true;
    UpdateLibraryStatusLine();
}

// ---------------------------------------------------------------- popup list

void LibraryViews::ShowPopup(const char* title, int listType, CArray<CTrackRecord, CTrackRecord&>& tracks)
{
    if (!m_popup.Create(m_hMain))
        return;
    m_popup.SetTitle(title);
    m_popup.SetListType(listType);
    m_popup.DisplayTracks(tracks, m_pTrackImages);
    m_popup.Show();
}

void LibraryViews::OnPopupView(unsigned command)
{
    if (!m_pQueues)
        return;
    QueueArrays& q = *m_pQueues;
    switch (command) {
    case 27414: ShowPopup("History List", kListHistory, q.history); break;
    case 27410: ShowPopup("Search List", kListSearch, q.search); break;
    case 27411: ShowPopup("Request List", kListRequest, q.request); break;
    case 27127: ShowPopup("Deck A Queue", kListDeckA, q.deckA); break;
    case 27227: ShowPopup("Deck B Queue", kListDeckB, q.deckB); break;
    case 27309: ShowPopup("AutoMix Queue", kListAutoMix, q.autoMix); break;
    default: break;
    }
}

bool LibraryViews::RunCommand(unsigned command)
{
    switch (command) {
    case 27403: BuildLibraryTree(); return true;
    case 27404: case 27405: case 27406: case 27407: case 28114: OnViewCommand(command); return true;
    case 27610: OnFilterOff(); return true;
    case 27611: OnSearchGo(); return true;
    case 27414: case 27410: case 27411: case 27127: case 27227: case 27309: OnPopupView(command); return true;
    default: return false;
    }
}

// ---------------------------------------------------------------- info, columns, fonts

void LibraryViews::ShowSelectedTrackInfo()
{
    if (!m_parts.IsInfoWindowShown())
        return;
    CListCtrl* list = Control<CListCtrl>(m_hMain, "tracklist");
    const int row = list ? list->GetNextItem(-1, LVNI_SELECTED) : -1;
    if (row < 0)
        return;
    m_parts.SetInfoTrackInfo(list->GetItemText(row, kColTitle), list->GetItemText(row, kColArtist),
                             list->GetItemText(row, kColAlbum), list->GetItemText(row, kColGenre),
                             list->GetItemText(row, kColPath));
}

void LibraryViews::SaveTracklistOrder()
{
    CListCtrl* list = Control<CListCtrl>(m_hMain, "tracklist");
    CHeaderCtrl* header = list ? list->GetHeaderCtrl() : nullptr;
    if (!header || !header->GetSafeHwnd())
        return;
    const int count = header->GetItemCount();
    if (count < kColumnCount)
        return;
    std::vector<int> all(static_cast<size_t>(count));
    if (!list->GetColumnOrderArray(all.data(), count))
        return;
    int order[kColumnCount];
    for (int i = 0; i < kColumnCount; ++i)
        order[i] = all[static_cast<size_t>(i)];
    std::string bytes = PackColumnOrder(order);
    ::WritePrivateProfileStructA("MAIN", "TracklistOrder", &bytes[0], static_cast<UINT>(bytes.size()),
                                 m_settings.iniPath);
}

void LibraryViews::LoadTracklistOrder()
{
    CListCtrl* list = Control<CListCtrl>(m_hMain, "tracklist");
    CHeaderCtrl* header = list ? list->GetHeaderCtrl() : nullptr;
    if (!header || !header->GetSafeHwnd() || header->GetItemCount() < kColumnCount)
        return;
    std::string bytes(kColumnOrderBytes, '\0');
    if (!::GetPrivateProfileStructA("MAIN", "TracklistOrder", &bytes[0], static_cast<UINT>(bytes.size()),
                                    m_settings.iniPath))
        return;
    int order[kColumnCount];
    if (UnpackColumnOrder(bytes, order))
        list->SetColumnOrderArray(kColumnCount, order);
}

void LibraryViews::ResetTracklistOrder()
{
    CListCtrl* list = Control<CListCtrl>(m_hMain, "tracklist");
    CHeaderCtrl* header = list ? list->GetHeaderCtrl() : nullptr;
    if (!header || !header->GetSafeHwnd() || header->GetItemCount() < kColumnCount)
        return;
    int order[kColumnCount];
    for (int i = 0; i < kColumnCount; ++i)
        order[i] = i;
    list->SetColumnOrderArray(kColumnCount, order);
    m_parts.ResetColumnWidths();
    list->Invalidate();
    SaveTracklistOrder();
}

void LibraryViews::ApplyTreeFont(int controlId, TreeFont& font)
{
    CTreeCtrl* tree = FindSkinControl<CTreeCtrl>(m_hMain, controlId);
    HGDIOBJ old = font.font.Detach();
    if (tree) {
        tree->SetItemHeight(static_cast<SHORT>(TreeItemHeight(font.size)));
        font.font.CreatePointFont(font.size, font.face);
        tree->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(font.font)), TRUE);
        tree->Invalidate();
    }
    if (old)
        ::DeleteObject(old);
}

void LibraryViews::SetLibraryTreeFontSize(int size)
{
    m_libraryFont.size = size;
    ApplyTreeFont(ControlId("mylibrary"), m_libraryFont);
}

void LibraryViews::SetFolderTreeFontSize(int size)
{
    m_folderFont.size = size;
    ApplyTreeFont(ControlId("mycomputer"), m_folderFont);
}

void LibraryViews::SetLibraryTreeFontFace(const CString& face)
{
    m_libraryFont.face = face;
    ApplyTreeFont(ControlId("mylibrary"), m_libraryFont);
}

void LibraryViews::SetFolderTreeFontFace(const CString& face)
{
    m_folderFont.face = face;
    ApplyTreeFont(ControlId("mycomputer"), m_folderFont);
}

void LibraryViews::ToggleListIcons()
{
    if (TXVTrackList* list = Control<TXVTrackList>(m_hMain, "tracklist"))
        list->ToggleIconView();
    m_parts.ShowThumbSelection(1);
}

// ---------------------------------------------------------------- display worker

bool LibraryViews::RunDisplayJob()
{
    m_jobRunning = true;
    const int generation = m_jobGeneration.load();
    CListCtrl* list = m_jobList.load();
    if (list && generation == m_generation.load()) {
        VIZU::SortTrackListA(7);
        if (generation == m_generation.load())
            VIZU::DisplayTracks(list, m_settings.displayBadLinks, m_jobImages.load(), m_jobIconView.load(),
                                true);
        if (generation == m_generation.load() && m_hNotify)
            ::PostMessageA(m_hNotify, kDisplayJobDone, static_cast<WPARAM>(generation), 0);
    }
    m_jobRunning = false;
    return true;
}

void LibraryViews::CancelDisplayFill()
{
    ++m_generation;
    CListCtrl* list = m_jobList.load();
    // Bounded: a worker that waits for the library's lock held further up
    // this thread (a selection shown from inside a library call's message
    // pump) cannot end before this returns, nor be stopped before
    // it has it: after 3 s this gives up waiting rather than hang the
    // window (that worker's rows may then still come; its end is ignored).
    const DWORD start = ::GetTickCount();
    while (m_jobRunning.load() && ::GetTickCount() - start < 3000) {
        VIZU::StopWorkerFill(list);
        // The worker's rows are messages sent to this thread: answer them.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_SENDMESSAGE);
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    if (m_bJobBusy) {
        m_bJobBusy = false;
        m_parts.SetBusyIndicator(false);
    }
}

void LibraryViews::FinishDisplayJob(int generation)
{
    if (generation != m_generation.load())
        return;
    if (m_bJobBusy) {
        m_bJobBusy = false;
        m_parts.SetBusyIndicator(false);
    }
    UpdateLibraryStatusLine();
}

LRESULT CALLBACK LibraryViews::NotifyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kDisplayJobDone) {
        auto* views = reinterpret_cast<LibraryViews*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (views)
            views->FinishDisplayJob(static_cast<int>(wParam));
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}
