// LibraryViews: the library tree of the main window and what it shows: the
// tree in its three forms, the view commands, the selection of a node and
// the status line under the main track list, the library search and the
// search in the shown list, filter off, the lists shown in the floating
// popup list, the saved column order of the main track list, the tree fonts
// and the info window's track. The controls are the skin's, found on the
// main window by their names; the rest of the window is reached through
// MainWindowParts. The rules themselves are in LibraryViewRules.
//
// The library-display worker: with MAIN/UseDisplayTracksThread on, the
// whole library is filled from the main window's display thread through the
// library's worker path (VIZU::DisplayTracks from a worker). The worker
// touches no window of its own accord: the rows reach the list through the
// library, and the end of the fill is posted back to the window thread. Any
// newer fill of the main track list first stops an older worker fill and
// waits until it has let go of the list.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <set>

#include "framework/core/CString.h"
#include "framework/ui/CGdiObject.h"
#include "mainwindow/library/LibraryPopupList.h"
#include "mainwindow/library/LibraryViewRules.h"

class CImageList;
class CListCtrl;
class CTreeCtrl;
class MainWindowParts;
class TXVStatusField;
class TXVThumbList;
struct QueueArrays;

// The My Computer nodes of the library tree carry folder records whose
// owner (the folder tree) registers them here; item data of any other kind
// is never read as one.
class LibraryFolderNodes
{
public:
    class Handler
    {
    public:
        virtual ~Handler() = default;
        // The My Computer node at the root of the library tree.
        virtual void InsertMyComputerNode(CTreeCtrl& tree) = 0;
        // The file-system path of a node; empty when it has none.
        virtual CString PathOf(CTreeCtrl& tree, HTREEITEM item, DWORD_PTR record) = 0;
        // Whether the record has a parent folder object (not the My Computer node).
        virtual bool HasParentFolder(DWORD_PTR record) = 0;
        // Lists the folder's files in the main track list.
        virtual void ListFolder(const CString& path) = 0;
    };

    void SetHandler(Handler* handler) { m_handler = handler; }
    Handler* GetHandler() const { return m_handler; }
    void Add(DWORD_PTR record) { m_records.insert(record); }
    void Remove(DWORD_PTR record) { m_records.erase(record); }
    bool IsFolderRecord(DWORD_PTR data) const { return data && m_records.count(data) != 0; }

private:
    Handler* m_handler = nullptr;
    std::set<DWORD_PTR> m_records;
};

struct LibraryViewSettings
{
    bool displayBadLinks = false;
    bool mcInLib = false;
    bool useDisplayThread = false;
    int mostPlayedNum = 0;
    int recentAddedNum = 0;
    CString playlistFolder;
    CString historyFolder;
    CString iniPath;   // "TavrixVJ.INI" in the program folder
};

class LibraryViews
{
public:
    // Construction
    explicit LibraryViews(MainWindowParts& parts);
    ~LibraryViews();
    LibraryViews(const LibraryViews&) = delete;
    LibraryViews& operator=(const LibraryViews&) = delete;

    // The main window, its settings, the track image list and the working
    // lists of tracks; set before the first use. Creates the window that
    // takes the display worker's reports.
    void Attach(HWND mainWindow, const LibraryViewSettings& settings, CImageList* trackImages,
                QueueArrays* queues);
    // Starts the display worker's job (the main window's display thread);
    // false when there is no such thread, and the fill is done at once.
    void SetDisplayJobStarter(std::function<bool()> start) { m_startDisplayJob = std::move(start); }
    void SetCaptions(const library_views::TreeCaptions& captions) { m_captions = captions; }
    // The ten captions from section CUSTOMSTRINGS of the settings file.
    void LoadLibraryTreeCaptions();

    // Attributes
    int GetView() const { return m_nView; }
    void SetView(int view) { m_nView = view; }
    const CString& GetViewName() const { return m_strViewName; }
    int GetThumbView() const { return m_nThumbView; }
    int GetJukeListView() const { return m_nJukeListView; }
    bool IsFilterActive() const { return m_bFilterActive; }
    void SetFilterActive(bool active) { m_bFilterActive = active; }
    const library_views::TreeCaptions& GetCaptions() const { return m_captions; }
    LibraryFolderNodes& FolderNodes() { return m_folders; }
    LibraryPopupList& PopupList() { return m_popup; }
    int GetLibraryTreeFontSize() const { return m_libraryFont.size; }
    int GetFolderTreeFontSize() const { return m_folderFont.size; }

    // Operations
    void BuildLibraryTree();
    void OnViewCommand(unsigned command);   // 27404-27407, 28114
    void DisplayTreeSelection();
    void SelectLibraryRoot();
    void UpdateLibraryStatusLine();
    void UpdateThumbnailCaption();
    void UpdateJukeboxListCaption();
    int GetSelectedNodeKind();
    // MainDialog::GetSelectedPlaylistPath: the selected node's file when its
    // parent is "Playlists" (the playlist folder) or "History" (the history
    // folder), with ".txl"; empty otherwise.
    CString GetSelectedPlaylistPath();
    // The text of the parent of the tree's caret item (empty: none), and
    // whether the caret item carries a registered folder record.
    CString SelectedParentText();
    bool IsFolderNodeSelected();
    void OnSearchGo();
    void FilterTrackList();
    void OnFilterOff();
    // The filter edit's text: the main track list shows the library's
    // tracks whose title holds it, and the filter is active.
    void FilterByTitle(const CString& text);
    // The floating popup list views: 27414, 27410, 27411, 27127, 27227, 27309.
    void OnPopupView(unsigned command);
    // A command of the library-view area; false when it is not one of them.
    bool RunCommand(unsigned command);
    void ShowSelectedTrackInfo();
    void SaveTracklistOrder();
    void LoadTracklistOrder();
    void ResetTracklistOrder();
    void SetLibraryTreeFontSize(int size);
    void SetFolderTreeFontSize(int size);
    void SetLibraryTreeFontFace(const CString& face);
    void SetFolderTreeFontFace(const CString& face);
    void ToggleListIcons();
    // The main track list's window, null when the skin has none.
    HWND TrackListWindow() const;
    // The edit of the library search box (registered by the search box).
    void SetSearchBoxEdit(HWND edit) { m_hSearchBoxEdit = edit; }
    bool IsSearchBoxEdit(HWND hWnd) const { return hWnd && hWnd == m_hSearchBoxEdit; }

    // The display worker's job: run on the display thread when its event
    // is set. False when there was nothing to do.
    bool RunDisplayJob();
    // Stops a worker fill of the main track list and waits until the
    // worker has let go of it (answering the messages it sends meanwhile).
    void CancelDisplayFill();
    bool IsDisplayJobRunning() const { return m_jobRunning.load(); }

private:
    struct TreeFont
    {
        CFont font;
        CString face = "Tahoma";
        int size = 80;
    };
    struct Controls;

    Controls Find() const;
    CImageList* SmallImages(CListCtrl* list) const;
    bool IsIconView(CListCtrl* list) const;
    bool IsShown(CWnd* wnd) const;
    void ShowWholeLibrary(CListCtrl* list);
    void ApplyTreeFont(int controlId, TreeFont& font);
    CString TakeEditText(int controlId);
    void ShowPopup(const char* title, int listType, CArray<CTrackRecord, CTrackRecord&>& tracks);
    void FinishDisplayJob(int generation);
    static LRESULT CALLBACK NotifyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    MainWindowParts& m_parts;
    HWND m_hMain = nullptr;
    HWND m_hNotify = nullptr;
    HWND m_hSearchBoxEdit = nullptr;
    LibraryViewSettings m_settings;
    CImageList* m_pTrackImages = nullptr;
    QueueArrays* m_pQueues = nullptr;
    library_views::TreeCaptions m_captions;
    LibraryFolderNodes m_folders;
    LibraryPopupList m_popup;

    int m_nView = 0;
    CString m_strViewName;
    int m_nThumbView = 0;
    int m_nJukeListView = 0;
    bool m_bFilterActive = false;
    TreeFont m_libraryFont;
    TreeFont m_folderFont;

    // The display worker: the generation of the newest fill of the main
    // track list, the one the worker was asked for, and whether its job runs.
    std::function<bool()> m_startDisplayJob;
    std::atomic<int> m_generation{0};
    std::atomic<int> m_jobGeneration{0};
    std::atomic<bool> m_jobRunning{false};
    std::atomic<CListCtrl*> m_jobList{nullptr};
    std::atomic<CImageList*> m_jobImages{nullptr};
    std::atomic<bool> m_jobIconView{false};
    bool m_bJobBusy = false;   // the busy indicator shows the worker's fill
};
